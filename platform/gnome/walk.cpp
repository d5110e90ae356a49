// The walk under GNOME Shell: the extension lists the windows, topmost first,
// each with its id, its title and whether Drapeno hid it; titles are matched
// here, as under every desktop, and the extension acts on an id.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gnome/bus.h"
#include "platform/gnome/extension_line.h"
#include "platform/gnome/gnome.h"
#include "platform/linux/sd_bus.h"

namespace GNOME {

namespace {

struct GnomeRecord {
    std::uint64_t Id = 0;
    bool Hidden = false;
    Desktop::Title Title;
};

// More windows than any desktop holds: a listing longer than this is cut.
constexpr std::size_t MostWindows = 10000;

std::vector<GnomeRecord> Walk;

// GNOME is asked only in a Wayland session, and only through the extension.
// Where GNOME Shell runs without it, the X11 desktop reaches XWayland's
// windows, and the user is told how to reach the others, by the build of the
// extension this shell loads.
bool Connect() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    if (display == nullptr || *display == '\0' || !BusConnect()) {
        return false;
    }
    if (IsOwned("org.drapeno.Shell")) {
        return true;
    }
    if (IsOwned("org.gnome.Shell")) {
        char version[32] = {};
        const bool told = ShellVersion(version, sizeof version);
        static_cast<void>(std::fputs(ExtensionLineFor(told ? version : nullptr).Text, stderr));
        Desktop::HasExplained();
    }
    BusDisconnect();
    return false;
}

// False when the reply is no list of (id, title, hidden).
bool ReadList(sd_bus_message* reply) {
    if (SdBus::sd_bus_message_enter_container(reply, 'a', "(tsb)") <= 0) {
        return false;
    }
    while (Walk.size() < MostWindows && SdBus::sd_bus_message_enter_container(reply, 'r', "tsb") > 0) {
        GnomeRecord record;
        const char* title = nullptr;
        int hidden = 0;
        if (SdBus::sd_bus_message_read_basic(reply, 't', &record.Id) <= 0 ||
            SdBus::sd_bus_message_read_basic(reply, 's', &title) <= 0 ||
            SdBus::sd_bus_message_read_basic(reply, 'b', &hidden) <= 0 ||
            SdBus::sd_bus_message_exit_container(reply) <= 0) {
            return false;
        }
        record.Title.Assign(title, std::strlen(title));
        record.Hidden = hidden != 0;
        Walk.push_back(record);
    }
    return true;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    Walk.clear();
    sd_bus_message* reply = CallExtension("List");
    if (reply == nullptr) {
        static_cast<void>(std::fputs("Drapeno: GNOME Shell did not answer the listing\n", stderr));
    } else if (!ReadList(reply)) {
        Walk.clear();
        static_cast<void>(std::fputs("Drapeno: GNOME Shell answered the listing with no list\n", stderr));
    }
    SdBus::sd_bus_message_unref(reply);
    return Desktop::PresentEach(Walk, callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return Desktop::RecordOf<GnomeRecord>(window).Hidden ? 0 : 1;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<GnomeRecord>(window).Title;
}

// The extension minimises and takes out of Alt+Tab and the overview on a
// hide; on a show it undoes exactly that, leaves the maximised and full-screen
// states and activates the window. True when the window was still there and,
// on a hide, hidden: a window GNOME will not minimise stays as it was, and the
// user is told, as when no answer came. An extension of an earlier release
// answers found alone.
BOOL ShowWindow(HWND window, int command) {
    const std::uint64_t id = Desktop::RecordOf<GnomeRecord>(window).Id;
    const bool hide = command == SW_HIDE;
    sd_bus_message* reply = CallExtension(hide ? "Hide" : "Show", &id);
    int found = 0;
    int hidden = 1;
    if (reply == nullptr || SdBus::sd_bus_message_read_basic(reply, 'b', &found) <= 0) {
        found = 0;
    } else if (hide && SdBus::sd_bus_message_read_basic(reply, 'b', &hidden) <= 0) {
        hidden = 1;
    }
    if (reply == nullptr) {
        static_cast<void>(std::fputs("Drapeno: GNOME Shell did not answer the command\n", stderr));
    }
    SdBus::sd_bus_message_unref(reply);
    if (found != 0 && hidden == 0) {
        Desktop::SayHideRefused();
        return 0;
    }
    return found != 0 ? 1 : 0;
}

void Disconnect() {
    BusDisconnect();
}

}  // namespace

const Desktop::Operations Operations = {Connect,         Disconnect, EnumWindows,
                                        IsWindowVisible, TitleOf,    ShowWindow};

}  // namespace GNOME
