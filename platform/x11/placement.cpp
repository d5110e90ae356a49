// What a window keeps across a hide and a show: its normal size, and where it
// stood, kept on the window itself, since window managers forget both.
#include "platform/x11/placement.h"

#include <xcb/xcb_icccm.h>

#include <algorithm>
#include <cstdlib>

#include "platform/x11/quirks.h"
#include "platform/x11/settle.h"

namespace X11 {

namespace {

bool IsFullState(std::uint32_t state) {
    return state == Ewmh._NET_WM_STATE_MAXIMIZED_VERT || state == Ewmh._NET_WM_STATE_MAXIMIZED_HORZ ||
           state == Ewmh._NET_WM_STATE_FULLSCREEN;
}

// A state the window manager lets the window leave.
bool IsLeftState(std::uint32_t state) {
    return WindowManagerSupports(state) && (state == Ewmh._NET_WM_STATE_FULLSCREEN ||
                                            (IsFullState(state) && !WindowManagerHas(KeepsMaximised)));
}

bool InFullState(xcb_window_t window) {
    const std::vector<std::uint32_t> states = StatesOf(window);
    return std::any_of(states.begin(), states.end(), IsLeftState);
}

xcb_get_geometry_reply_t* Geometry(xcb_window_t window) {
    return xcb_get_geometry_reply(Connection, xcb_get_geometry(Connection, window), nullptr);
}

// The root's child that holds the window: its frame, or the window itself
// where the window manager does not reparent.
xcb_window_t FrameOf(xcb_window_t window) {
    for (int level = 0; level < MaxFrameLevels; ++level) {
        xcb_query_tree_reply_t* tree =
            xcb_query_tree_reply(Connection, xcb_query_tree(Connection, window), nullptr);
        const xcb_window_t parent = tree != nullptr ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
        std::free(tree);
        if (parent == XCB_WINDOW_NONE || parent == Screen->root) {
            break;
        }
        window = parent;
    }
    return window;
}

}  // namespace

// Only the states the window is in: window managers do not take a request to
// leave another as nothing (Window Maker shrinks the window by its title bar,
// pekwm flips its maximised flag).
void LeaveFullStates(xcb_window_t window) {
    const std::vector<std::uint32_t> states = StatesOf(window);
    const bool vertical = Holds(states, Ewmh._NET_WM_STATE_MAXIMIZED_VERT);
    const bool horizontal = Holds(states, Ewmh._NET_WM_STATE_MAXIMIZED_HORZ);
    const auto remove = [window](xcb_atom_t first, xcb_atom_t second) {
        xcb_ewmh_request_change_wm_state(&Ewmh, ScreenNumber, window, XCB_EWMH_WM_STATE_REMOVE, first, second,
                                         XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    };
    if (vertical || horizontal) {
        remove(vertical ? Ewmh._NET_WM_STATE_MAXIMIZED_VERT : Ewmh._NET_WM_STATE_MAXIMIZED_HORZ,
               vertical && horizontal ? Ewmh._NET_WM_STATE_MAXIMIZED_HORZ : xcb_atom_t{XCB_ATOM_NONE});
    }
    if (Holds(states, Ewmh._NET_WM_STATE_FULLSCREEN)) {
        remove(Ewmh._NET_WM_STATE_FULLSCREEN, XCB_ATOM_NONE);
    }
}

// Several window managers forget a withdrawn window's normal size and leave it
// at the maximised one, so it leaves those states while they still know it.
// Some change the state before the size: both must have changed, and the
// window be back in a frame where the window manager took it out.
void Unmaximise(xcb_window_t window) {
    if (!InFullState(window)) {
        return;
    }
    xcb_get_geometry_reply_t* full = Geometry(window);
    LeaveFullStates(window);
    Await([window, full] {
        xcb_get_geometry_reply_t* now = Geometry(window);
        const bool gone = now == nullptr;
        const bool resized =
            full == nullptr || gone || now->width != full->width || now->height != full->height;
        std::free(now);
        return gone || (resized && !InFullState(window) &&
                        (!WindowManagerHas(UnframesFullScreen) || FrameOf(window) != window));
    });
    std::free(full);
}

// Where the frame's outer corner stands, and the window's size, kept on the
// window itself: window managers place a window that comes back afresh. The
// corner is the one _NET_FRAME_EXTENTS tells, where the window manager sets
// them (a frame may be larger, with invisible borders: mutter's); otherwise
// the frame's own (twm, ctwm, sawfish, blackbox, lwm set none).
void RememberPlacement(xcb_window_t window) {
    const auto origin = xcb_translate_coordinates(Connection, window, Screen->root, 0, 0);
    const std::vector<std::uint32_t> frame = ReadItems(AskProperty(window, Ewmh._NET_FRAME_EXTENTS, 4));
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(Connection, origin, nullptr);
    xcb_get_geometry_reply_t* size = Geometry(window);
    const bool own = frame.size() == 4 || WindowManagerHas(PlacesWindowNotFrame);
    xcb_get_geometry_reply_t* outer = own ? nullptr : Geometry(FrameOf(window));
    if (at != nullptr && size != nullptr && (own || outer != nullptr)) {
        const bool framed = frame.size() == 4;
        const std::int32_t placement[4] = {
            outer != nullptr ? outer->x : at->dst_x - static_cast<std::int32_t>(framed ? frame[0] : 0),
            outer != nullptr ? outer->y : at->dst_y - static_cast<std::int32_t>(framed ? frame[2] : 0),
            size->width, size->height};
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Atoms[DrapenoPlacement],
                            XCB_ATOM_CARDINAL, 32, 4, placement);
    }
    std::free(at);
    std::free(size);
    std::free(outer);
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
    // A window that could not leave its maximised state keeps it: coming back
    // at the maximised size but not maximised, no user's unmaximise would undo it.
    const auto dropped = [](std::uint32_t s) { return IsLeftState(s) || s == Ewmh._NET_WM_STATE_HIDDEN; };
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

}  // namespace X11
