// EnumWindows under KWin: one script lists the normal windows and dialogs,
// topmost first (KWin 6 hands out its stacking order; 5.27 gives each window
// its place in it), with what the passes and ShowWindow need, as JSON.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/kwin/bus.h"
#include "platform/kwin/kwin.h"
#include "platform/kwin/list.h"
#include "platform/kwin/script.h"
#include "platform/kwin/walk.h"

namespace KWin {

namespace {

// KWin tells windows of one title apart by appending " <2>", " <3>"... to the
// captions it hands out, with a left-to-right mark after it on X11 windows;
// the suffix goes where another window has the bare title, or the same title
// with another number.
constexpr const char* ListScript = R"((function () {
    var windows = [];
    var all = workspace.stackingOrder || workspace.clientList();
    for (var i = 0; i < all.length; ++i) {
        if (all[i].normalWindow || all[i].dialog) {
            windows.push(all[i]);
        }
    }
    if (!workspace.stackingOrder) {
        windows.sort(function (a, b) { return a.stackingOrder - b.stackingOrder; });
    }
    var captions = windows.map(function (w) { return String(w.caption); });
    function TitleOf(caption) {
        var parts = /^(.*) <[0-9]+>\u200e?$/.exec(caption);
        var shared = parts && captions.some(function (other) {
            return other != caption && (other == parts[1] || other.lastIndexOf(parts[1] + " <", 0) == 0);
        });
        return shared ? parts[1] : caption;
    }
    var found = [];
    for (var j = windows.length - 1; j >= 0; --j) {
        var w = windows[j];
        found.push({ id: String(w.internalId), title: TitleOf(captions[j]), minimised: !!w.minimized,
                     taskbar: !!w.skipTaskbar, pager: !!w.skipPager, switcher: !!w.skipSwitcher });
    }
    DRAPENO_REPLY(JSON.stringify(found));
})();
)";

std::vector<KWinRecord> Walk;

// KWin is asked only in a Wayland session: on X11 (kwin_x11 included) the X11
// desktop reaches every window, and a run spares the bus round trips.
bool Connect() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return display != nullptr && *display != '\0' && BusConnect();
}

void Disconnect() {
    BusDisconnect();
}

// An answer that is no list is KWin's fault, or another script's: it is said.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    const std::string reply = RunScript(ListScript);
    if (!ReadList(reply, Walk)) {
        static_cast<void>(std::fputs(reply.empty() ? "Drapeno: KWin did not answer the listing\n"
                                                   : "Drapeno: KWin answered the listing with no list\n",
                                     stderr));
    }
    return Desktop::PresentEach(Walk, callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return HiddenByDrapeno(Desktop::RecordOf<KWinRecord>(window)) ? 0 : 1;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<KWinRecord>(window).Title;
}

}  // namespace

const Desktop::Operations Operations = {Connect,         Disconnect, EnumWindows,
                                        IsWindowVisible, TitleOf,    ShowWindow};

}  // namespace KWin
