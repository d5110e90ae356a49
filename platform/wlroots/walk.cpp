// EnumWindows under a wlroots compositor: one round trip after the manager is
// bound brings every toplevel with its title and state. The protocol tells no
// stacking order: the activated window comes first, then the others in the
// order the compositor announced them.
#include <cstdio>
#include <vector>

#include "platform/wlroots/connection.h"
#include "platform/wlroots/toplevels.h"
#include "platform/wlroots/wlroots.h"

namespace Wlroots {

namespace {

std::vector<Toplevel*> Walk;

// A compositor that offers no manager, or does not answer, is not this
// desktop: the chooser goes on.
bool Connect() {
    if (Open()) {
        ListenForToplevels();
        return true;
    }
    Close();
    return false;
}

void Disconnect() {
    Close();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    if (!RoundTrip()) {
        static_cast<void>(std::fputs("Drapeno: the compositor did not answer the listing\n", stderr));
        return 1;
    }
    Walk = WalkOrder();
    for (Toplevel* toplevel : Walk) {
        if (callback(reinterpret_cast<HWND>(toplevel), value) == 0) {
            return 0;
        }
    }
    return 1;
}

BOOL IsWindowVisible(HWND window) {
    return Desktop::RecordOf<Toplevel>(window).Minimised ? 0 : 1;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<Toplevel>(window).Title;
}

}  // namespace

const Desktop::Operations Operations = {Connect,         Disconnect, EnumWindows,
                                        IsWindowVisible, TitleOf,    ShowWindow};

}  // namespace Wlroots
