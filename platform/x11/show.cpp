// ShowWindow on X11. Hiding withdraws the window as ICCCM asks, after taking
// it out of the maximised and full-screen states and noting where it stood;
// showing puts it back there, maps it, raises and activates it.
#include <time.h>

#include <algorithm>
#include <cstdlib>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace {

constexpr std::uint32_t RemoveState = 0;
constexpr std::uint32_t UsPosition = 1;  // WM_NORMAL_HINTS flags
constexpr std::uint32_t PWinGravity = 512;
constexpr std::uint32_t StaticGravity = 10;
constexpr std::uint32_t StateHint = 2;  // WM_HINTS flags bit for initial_state
constexpr int SettleTries = 100;        // 5 ms apart: how long a window manager may take

xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words) {
    return xcb_get_property(Connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words);
}

bool IsFullState(std::uint32_t state) {
    return state == Atoms[NetWmStateMaximizedVert] || state == Atoms[NetWmStateMaximizedHorz] ||
           state == Atoms[NetWmStateFullscreen];
}

bool InFullState(xcb_window_t window) {
    const std::vector<std::uint32_t> states = ReadItems(AskProperty(window, Atoms[NetWmState], 32));
    return std::any_of(states.begin(), states.end(), IsFullState);
}

void LeaveFullStates(xcb_window_t window) {
    AskWindowManager(window, Atoms[NetWmState], RemoveState, Atoms[NetWmStateMaximizedVert],
                     Atoms[NetWmStateMaximizedHorz]);
    AskWindowManager(window, Atoms[NetWmState], RemoveState, Atoms[NetWmStateFullscreen], 0);
}

// Several window managers forget a withdrawn window's normal size and let
// it keep the maximised one: it leaves those states first, while they know.
void Unmaximise(xcb_window_t window) {
    if (!InFullState(window)) {
        return;
    }
    LeaveFullStates(window);
    for (int tries = 0; tries < SettleTries && InFullState(window); ++tries) {
        const timespec pause = {0, 5000000};
        nanosleep(&pause, nullptr);
    }
}

// Where the frame's outer corner stands, and the window's size, kept on the
// window itself: a window manager places a window that comes back afresh.
void RememberPlacement(xcb_window_t window) {
    const auto origin = xcb_translate_coordinates(Connection, window, Screen->root, 0, 0);
    const auto geometry = xcb_get_geometry(Connection, window);
    const std::vector<std::uint32_t> extents = ReadItems(AskProperty(window, Atoms[NetFrameExtents], 4));
    const std::vector<std::uint32_t> hints = ReadItems(AskProperty(window, XCB_ATOM_WM_NORMAL_HINTS, 18));
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(Connection, origin, nullptr);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(Connection, geometry, nullptr);
    // With static gravity the window's own corner is its reference point.
    const bool framed = extents.size() == 4 &&
                        !(hints.size() >= 18 && (hints[0] & PWinGravity) != 0 && hints[17] == StaticGravity);
    if (at != nullptr && size != nullptr) {
        const std::int32_t placement[4] = {at->dst_x - (framed ? static_cast<std::int32_t>(extents[0]) : 0),
                                           at->dst_y - (framed ? static_cast<std::int32_t>(extents[2]) : 0),
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
}

// A withdrawn window carries its states, hints and size into the next map:
// it comes back in the normal state, where and as large as it was.
void PrepareMap(xcb_window_t window) {
    const auto statesCookie = AskProperty(window, Atoms[NetWmState], 32);
    const auto hintsCookie = AskProperty(window, XCB_ATOM_WM_HINTS, 9);
    const auto normalCookie = AskProperty(window, XCB_ATOM_WM_NORMAL_HINTS, 18);
    const auto placementCookie = AskProperty(window, Atoms[DrapenoPlacement], 4);
    std::vector<std::uint32_t> states = ReadItems(statesCookie);
    std::vector<std::uint32_t> hints = ReadItems(hintsCookie);
    std::vector<std::uint32_t> normal = ReadItems(normalCookie);
    const std::vector<std::uint32_t> placement = ReadItems(placementCookie);
    states.erase(std::remove_if(states.begin(), states.end(),
                                [](std::uint32_t s) { return IsFullState(s) || s == Atoms[NetWmStateHidden]; }),
                 states.end());
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Atoms[NetWmState], XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    if (hints.size() >= 3 && (hints[0] & StateHint) != 0) {
        hints[2] = NormalState;
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32,
                            static_cast<std::uint32_t>(hints.size()), hints.data());
    }
    if (placement.size() == 4 && WindowManagerRuns) {
        xcb_configure_window(Connection, window,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                                 XCB_CONFIG_WINDOW_HEIGHT,
                             placement.data());
        // Placed by the user, through Drapeno: the window manager keeps it there.
        normal.resize(18);
        normal[0] |= UsPosition;
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                            XCB_ATOM_WM_SIZE_HINTS, 32, 18, normal.data());
    }
    xcb_delete_property(Connection, window, Atoms[DrapenoPlacement]);
}

void Restore(const WindowRecord& record) {
    const auto supportedCookie = AskProperty(Screen->root, Atoms[NetSupported], 1024);
    if (!CountsAsVisible(record)) {
        PrepareMap(record.Window);
    }
    const std::vector<std::uint32_t> supported = ReadItems(supportedCookie);
    xcb_map_window(Connection, record.Window);
    LeaveFullStates(record.Window);
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(Connection, record.Window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    if (!WindowManagerRuns) {
        xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, record.Window, XCB_CURRENT_TIME);
    } else if (std::find(supported.begin(), supported.end(), Atoms[NetActiveWindow]) != supported.end()) {
        AskWindowManager(record.Window, Atoms[NetActiveWindow], 2, XCB_CURRENT_TIME, 0);
    }
}

}  // namespace

namespace X11 {

BOOL ShowWindow(HWND window, int command) {
    const WindowRecord& record = *reinterpret_cast<const WindowRecord*>(window);
    if (command == SW_HIDE) {
        Withdraw(record);
    } else {
        Restore(record);
    }
    return 1;
}

}  // namespace X11
