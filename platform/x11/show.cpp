// ShowWindow on X11. Hiding withdraws the window as ICCCM asks, after taking
// it out of the maximised and full-screen states and noting where it stood;
// showing puts it back there, maps it, raises and activates it.
#include <algorithm>
#include <cstdlib>
#include <ctime>

#include <xcb/xcb_icccm.h>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace {

constexpr int SettleTries = 100;  // 5 ms apart: how long a window manager may take

bool IsFullState(std::uint32_t state) {
    return state == Ewmh._NET_WM_STATE_MAXIMIZED_VERT || state == Ewmh._NET_WM_STATE_MAXIMIZED_HORZ ||
           state == Ewmh._NET_WM_STATE_FULLSCREEN;
}

bool InFullState(xcb_window_t window) {
    const std::vector<std::uint32_t> states = ReadItems(AskProperty(window, Ewmh._NET_WM_STATE, 32));
    return std::any_of(states.begin(), states.end(), IsFullState);
}

void Pause() {
    const timespec pause = {0, 5000000};
    nanosleep(&pause, nullptr);
}

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

xcb_get_geometry_reply_t* Geometry(xcb_window_t window) {
    return xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, window), nullptr);
}

void LeaveFullStates(xcb_window_t window) {
    const auto remove = [window](xcb_atom_t first, xcb_atom_t second) {
        xcb_ewmh_request_change_wm_state(&Ewmh, ScreenNumber, window, XCB_EWMH_WM_STATE_REMOVE, first, second,
                                         XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    };
    remove(Ewmh._NET_WM_STATE_MAXIMIZED_VERT, Ewmh._NET_WM_STATE_MAXIMIZED_HORZ);
    remove(Ewmh._NET_WM_STATE_FULLSCREEN, XCB_ATOM_NONE);
}

// Several window managers forget a withdrawn window's normal size and leave it
// at the maximised one, so it leaves those states while they still know it.
// Some change the state before the size: both must have changed.
void Unmaximise(xcb_window_t window) {
    if (!InFullState(window)) {
        return;
    }
    xcb_get_geometry_reply_t* full = Geometry(window);
    LeaveFullStates(window);
    for (int tries = 0; tries < SettleTries && full != nullptr; ++tries) {
        xcb_get_geometry_reply_t* now = Geometry(window);
        const bool resized = now == nullptr || now->width != full->width || now->height != full->height;
        std::free(now);
        if (resized && !InFullState(window)) {
            break;
        }
        Pause();
    }
    std::free(full);
}

// Where the frame's outer corner stands, and the window's size, kept on the
// window itself: window managers place a window that comes back afresh.
void RememberPlacement(xcb_window_t window) {
    const auto origin = xcb_translate_coordinates(Connection, window, Screen->root, 0, 0);
    const std::vector<std::uint32_t> frame = ReadItems(AskProperty(window, Ewmh._NET_FRAME_EXTENTS, 4));
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(Connection, origin, nullptr);
    xcb_get_geometry_reply_t* size = Geometry(window);
    if (at != nullptr && size != nullptr) {
        const bool framed = frame.size() == 4;
        const std::int32_t placement[4] = {at->dst_x - static_cast<std::int32_t>(framed ? frame[0] : 0),
                                           at->dst_y - static_cast<std::int32_t>(framed ? frame[2] : 0),
                                           size->width, size->height};
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Atoms[DrapenoPlacement],
                            XCB_ATOM_CARDINAL, 32, 4, placement);
    }
    std::free(at);
    std::free(size);
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

// A withdrawn window brings its states and hints into the next map: it comes
// back in the normal state, where and as large as it was.
void PrepareMap(xcb_window_t window) {
    const auto statesCookie = AskProperty(window, Ewmh._NET_WM_STATE, 32);
    const auto hintsCookie = xcb_icccm_get_wm_hints(Connection, window);
    const auto normalCookie = xcb_icccm_get_wm_normal_hints(Connection, window);
    const auto placementCookie = AskProperty(window, Atoms[DrapenoPlacement], 4);
    std::vector<std::uint32_t> states = ReadItems(statesCookie);
    xcb_icccm_wm_hints_t hints = {};
    xcb_size_hints_t normal = {};
    const bool hinted = xcb_icccm_get_wm_hints_reply(Connection, hintsCookie, &hints, nullptr) != 0;
    xcb_icccm_get_wm_normal_hints_reply(Connection, normalCookie, &normal, nullptr);
    const std::vector<std::uint32_t> placement = ReadItems(placementCookie);
    const auto dropped = [](std::uint32_t s) { return IsFullState(s) || s == Ewmh._NET_WM_STATE_HIDDEN; };
    states.erase(std::remove_if(states.begin(), states.end(), dropped), states.end());
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Ewmh._NET_WM_STATE, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    if (hinted && (hints.flags & XCB_ICCCM_WM_HINT_STATE) != 0) {
        xcb_icccm_wm_hints_set_normal(&hints);
        xcb_icccm_set_wm_hints(Connection, window, &hints);
    }
    if (placement.size() == 4 && WindowManagerRuns) {
        const std::uint16_t where =
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
        xcb_configure_window(Connection, window, where, placement.data());
        // Placed by the user, through Drapeno: the window manager keeps it there.
        xcb_icccm_size_hints_set_position(&normal, 1, static_cast<std::int32_t>(placement[0]),
                                          static_cast<std::int32_t>(placement[1]));
        xcb_icccm_set_wm_normal_hints(Connection, window, &normal);
    }
    xcb_delete_property(Connection, window, Atoms[DrapenoPlacement]);
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

namespace X11 {

BOOL ShowWindow(HWND window, int command) {
    if (command == SW_HIDE) {
        Withdraw(RecordOf(window));
    } else {
        Restore(RecordOf(window));
    }
    return 1;
}

}  // namespace X11
