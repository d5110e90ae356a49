// ShowWindow on X11. Hiding withdraws the window as ICCCM asks, after taking
// it out of the maximised and full-screen states and noting where it stood;
// showing puts it back there, maps it, raises and activates it.
#include <algorithm>

#include "platform/x11/connection.h"
#include "platform/x11/placement.h"
#include "platform/x11/x11.h"

namespace X11 {

namespace {

// On Windows a window is hidden or shown when ShowWindow returns; a window
// manager does its part after Drapeno has asked. Waiting for it, a bounded
// while, lets the next run find the window as this one left it.
void AwaitWindowManager(xcb_window_t window, bool managed) {
    for (int tries = 0; tries < SettleTries; ++tries) {
        const auto list = ReadItems(AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST, MaxClients));
        if ((std::find(list.begin(), list.end(), window) != list.end()) == managed) {
            return;
        }
        Pause();
    }
}

void Withdraw(const WindowRecord& record) {
    if (record.Managed) {
        Unmaximise(record.Window);
        RememberPlacement(record.Window);
    }
    xcb_unmap_window(Connection, record.Window);
    // The synthetic UnmapNotify tells the window manager even when the window
    // was already unmapped, as a minimised one is.
    xcb_unmap_notify_event_t event = {};
    event.response_type = XCB_UNMAP_NOTIFY;
    event.event = Screen->root;
    event.window = record.Window;
    xcb_send_event(Connection, 0, Screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    if (record.Managed) {
        AwaitWindowManager(record.Window, false);
    }
}

void Restore(const WindowRecord& record) {
    const bool withdrawn = !CountsAsVisible(record);
    if (withdrawn) {
        PrepareMap(record.Window);
    }
    xcb_map_window(Connection, record.Window);
    // A window manager heeds requests about a window only once it keeps it.
    if (withdrawn && WindowManagerRuns && !record.Unmanageable) {
        AwaitWindowManager(record.Window, true);
    }
    LeaveFullStates(record.Window);
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(Connection, record.Window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    if (WindowManagerRuns) {
        xcb_ewmh_request_change_active_window(&Ewmh, ScreenNumber, record.Window,
                                              XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME,
                                              XCB_WINDOW_NONE);
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
