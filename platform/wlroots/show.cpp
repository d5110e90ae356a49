// ShowWindow under a wlroots compositor. Hiding is minimising, and the run
// waits until the compositor reports the window minimised: sway, Hyprland,
// niri and river take the request and ignore it, and that is worth a line,
// once the compositor has answered at all; a slow one is not taken for one
// that refused.
// Showing leaves full screen and maximised, un-minimises and activates; one
// round trip makes sure the compositor has read it all before Drapeno leaves.
#include <cstdio>

#include "platform/wlroots/connection.h"
#include "platform/wlroots/toplevels.h"

namespace Wlroots {

namespace {

BOOL SayNoAnswer() {
    static_cast<void>(std::fputs("Drapeno: the compositor did not answer\n", stderr));
    return 0;
}

BOOL Hide(const Toplevel& toplevel) {
    zwlr_foreign_toplevel_handle_v1_set_minimized(toplevel.Handle);
    if (!RoundTrip()) {
        return SayNoAnswer();
    }
    if (!DispatchUntil([&toplevel] { return toplevel.Minimised || toplevel.Closed; })) {
        Desktop::SayHideRefused();
        return 0;
    }
    return 1;
}

BOOL Show(const Toplevel& toplevel) {
    if (toplevel.FullScreen && zwlr_foreign_toplevel_handle_v1_get_version(toplevel.Handle) >=
                                   ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_UNSET_FULLSCREEN_SINCE_VERSION) {
        zwlr_foreign_toplevel_handle_v1_unset_fullscreen(toplevel.Handle);
    }
    if (toplevel.Maximised) {
        zwlr_foreign_toplevel_handle_v1_unset_maximized(toplevel.Handle);
    }
    if (toplevel.Minimised) {
        zwlr_foreign_toplevel_handle_v1_unset_minimized(toplevel.Handle);
    }
    if (Session.Seat != nullptr) {
        zwlr_foreign_toplevel_handle_v1_activate(toplevel.Handle, Session.Seat);
    }
    if (!RoundTrip()) {
        return SayNoAnswer();
    }
    return 1;
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
    const Toplevel& toplevel = Desktop::RecordOf<Toplevel>(window);
    return command == SW_HIDE ? Hide(toplevel) : Show(toplevel);
}

}  // namespace Wlroots
