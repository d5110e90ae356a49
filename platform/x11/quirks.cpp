// The window managers named by their check window's _NET_WM_NAME. Each entry
// says what was seen of the window manager, with its version.
#include "platform/x11/quirks.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/x11/connection.h"

namespace X11 {

namespace {

struct Entry {
    const char* Name = nullptr;
    unsigned Quirks = 0;
};

constexpr Entry Table[] = {
    // herbstluftwm 0.9.5, spectrwm 3.4, lwm 1.2.4 and matchbox 1.2 ignore the
    // synthetic UnmapNotify of a minimised window (lwm then no longer maps it
    // back at all); cwm 7.1 marks it withdrawn but keeps it in its client list.
    // spectrwm 3.4 and pekwm 0.1.18 place a window as it is, and put their
    // frame around it.
    {"herbstluftwm", WithdrawsOnlyMapped},
    {"spectrwm", WithdrawsOnlyMapped | PlacesWindowNotFrame},
    {"pekwm", PlacesWindowNotFrame},
    {"lwm", WithdrawsOnlyMapped},
    {"matchbox", WithdrawsOnlyMapped},
    // cwm 7.1 also never empties its client list.
    {"CWM", WithdrawsOnlyMapped | ForgetsUnmapped},
    // awesome 4.3 drops every removal of a maximised state (fixed after 4.3,
    // in its merge_maximization) and puts a maximised window back at the
    // screen's size after a ConfigureRequest.
    {"awesome", KeepsMaximised},
    // metacity 3.46 reframes a window that leaves full screen after it has
    // resized it: its place, read before, is the window's own.
    {"Metacity", UnframesFullScreen},
};

unsigned ReadQuirks() {
    const std::vector<std::uint32_t> check =
        ReadItems(AskProperty(Screen->root, Ewmh._NET_SUPPORTING_WM_CHECK, 1));
    if (check.empty()) {
        return 0;
    }
    constexpr std::uint32_t NameWords = 16;  // longer than any name in the table
    xcb_get_property_reply_t* reply =
        xcb_get_property_reply(Connection, AskProperty(check[0], Ewmh._NET_WM_NAME, NameWords), nullptr);
    int length = reply != nullptr && reply->format == 8 ? xcb_get_property_value_length(reply) : 0;
    const char* name = length > 0 ? static_cast<const char*>(xcb_get_property_value(reply)) : "";
    while (length > 0 && name[length - 1] == '\0') {
        --length;  // matchbox ends its name with one
    }
    unsigned quirks = 0;
    for (const Entry& entry : Table) {
        if (std::strlen(entry.Name) == static_cast<std::size_t>(length) &&
            std::memcmp(entry.Name, name, static_cast<std::size_t>(length)) == 0) {
            quirks = entry.Quirks;
        }
    }
    std::free(reply);
    return quirks;
}

}  // namespace

bool WindowManagerHas(Quirk quirk) {
    static const unsigned quirks = WindowManagerRuns ? ReadQuirks() : 0;
    return (quirks & quirk) != 0;
}

bool WindowManagerSupports(xcb_atom_t atom) {
    constexpr std::uint32_t MaxSupported = 1024;  // window managers list 30 to 150
    static const std::vector<std::uint32_t> supported = [] {
        std::vector<std::uint32_t> atoms =
            WindowManagerRuns ? ReadItems(AskProperty(Screen->root, Ewmh._NET_SUPPORTED, MaxSupported))
                              : std::vector<std::uint32_t>{};
        std::sort(atoms.begin(), atoms.end());
        return atoms;
    }();
    return std::binary_search(supported.begin(), supported.end(), atom);
}

}  // namespace X11
