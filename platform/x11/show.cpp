// ShowWindow on X11. Hiding withdraws the window as ICCCM asks, after taking
// it out of the maximised and full-screen states and noting where it stood;
// showing puts it back there, maps it, raises and activates it. Each waits
// until the window manager has done its part (see settle.h).
#include "platform/x11/connection.h"
#include "platform/x11/placement.h"
#include "platform/x11/quirks.h"
#include "platform/x11/settle.h"
#include "platform/x11/x11.h"

namespace X11 {

namespace {

void Unmap(xcb_window_t window) {
    // The synthetic UnmapNotify tells the window manager even when the window
    // was already unmapped, as a minimised one is.
    xcb_unmap_notify_event_t event = {};
    event.response_type = XCB_UNMAP_NOTIFY;
    event.event = Screen->root;
    event.window = window;
    const auto notify = [&event] {
        xcb_send_event(Connection, 0, Screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&event));
    };
    const bool first = WindowManagerHas(ForgetsUnmapped);
    if (first) {
        notify();
    }
    xcb_unmap_window(Connection, window);
    if (!first) {
        notify();
    }
}

void Activate(xcb_window_t window) {
    xcb_ewmh_request_change_active_window(&Ewmh, ScreenNumber, window, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                          XCB_CURRENT_TIME, XCB_WINDOW_NONE);
}

bool IsMinimised(const WindowRecord& record) {
    return record.Managed &&
           (record.State == IconicState || Holds(StatesOf(record.Window), Ewmh._NET_WM_STATE_HIDDEN));
}

// Window managers de-iconify on different words: the activation (fvwm
// clears _NET_WM_STATE_HIDDEN only then, not on a map that came first), the
// removal of that state (bspwm, for a window it hid so), or the map ICCCM
// names. Each is harmless to the others.
void Deiconify(xcb_window_t window) {
    Activate(window);
    xcb_ewmh_request_change_wm_state(&Ewmh, ScreenNumber, window, XCB_EWMH_WM_STATE_REMOVE,
                                     Ewmh._NET_WM_STATE_HIDDEN, XCB_ATOM_NONE,
                                     XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    xcb_map_window(Connection, window);
    Await([window] { return IsShown(Look(window)); });
}

// Only a window manager that runs has clients: a window it does not keep is
// simply unmapped.
void Withdraw(const WindowRecord& record) {
    if (!record.Managed) {
        Unmap(record.Window);
        return;
    }
    Unmaximise(record.Window);
    RememberPlacement(record.Window);
    if (WindowManagerHas(WithdrawsOnlyMapped) && IsMinimised(record)) {
        Deiconify(record.Window);
    }
    Unmap(record.Window);
    // A window manager still re-framing the window as it left full screen
    // may take our unmap for one of its own and map the window again
    // (metacity 3.46, on a loaded machine): it is unmapped once more.
    Await([&record] {
        const Seen seen = Look(record.Window);
        if (seen.Mapped) {
            Unmap(record.Window);
        }
        return IsWithdrawn(seen);
    });
}

void Restore(const WindowRecord& record) {
    const bool withdrawn = !CountsAsVisible(record);
    const bool awaits = WindowManagerRuns && !record.Unmanageable;
    if (withdrawn) {
        PrepareMap(record.Window);
    }
    if (awaits && IsMinimised(record)) {
        Deiconify(record.Window);
    } else {
        xcb_map_window(Connection, record.Window);
    }
    // A window manager heeds requests about a window only once it keeps it.
    if (awaits && withdrawn) {
        Await([&record] { return IsShown(Look(record.Window)); });
    }
    LeaveFullStates(record.Window);
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(Connection, record.Window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    // Activated again once shown: one that comes before the window manager has
    // de-iconified the window leaves nothing active (ctwm).
    if (WindowManagerRuns) {
        Activate(record.Window);
    } else {
        xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, record.Window, XCB_CURRENT_TIME);
    }
}

}  // namespace

BOOL ShowWindow(HWND window, int command) {
    if (command == SW_HIDE) {
        Withdraw(Desktop::RecordOf<WindowRecord>(window));
    } else {
        Restore(Desktop::RecordOf<WindowRecord>(window));
    }
    return 1;
}

}  // namespace X11
