// ShowWindow on X11. Hiding withdraws the window as ICCCM asks; showing maps
// it, takes it out of the minimised, maximised and full-screen states, raises
// and activates it.
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11.h"

namespace {

constexpr std::uint32_t StateHint = 2;  // WM_HINTS flags bit for initial_state
constexpr std::uint32_t RemoveState = 0;
constexpr std::uint32_t FromPager = 2;  // EWMH source indication: the user asked for it

// Events go out as 32 bytes whatever the size of their struct.
void SendToRoot(const void* event, std::size_t size) {
    char buffer[32] = {};
    std::memcpy(buffer, event, size < sizeof buffer ? size : sizeof buffer);
    xcb_send_event(Connection, 0, Screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY, buffer);
}

void AskWindowManager(xcb_window_t window, xcb_atom_t type, std::uint32_t a, std::uint32_t b,
                      std::uint32_t c) {
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    message.data.data32[0] = a;
    message.data.data32[1] = b;
    message.data.data32[2] = c;
    message.data.data32[3] = FromPager;
    SendToRoot(&message, sizeof message);
}

void Withdraw(xcb_window_t window) {
    xcb_unmap_window(Connection, window);
    // The synthetic UnmapNotify tells the window manager even when the window
    // was already unmapped, as a minimised one is.
    xcb_unmap_notify_event_t event = {};
    event.response_type = XCB_UNMAP_NOTIFY;
    event.event = Screen->root;
    event.window = window;
    SendToRoot(&event, sizeof event);
}

bool IsDropped(xcb_atom_t state) {
    return state == Atoms[NET_WM_STATE_MAXIMIZED_VERT_ATOM] ||
           state == Atoms[NET_WM_STATE_MAXIMIZED_HORZ_ATOM] || state == Atoms[NET_WM_STATE_FULLSCREEN_ATOM] ||
           state == Atoms[NET_WM_STATE_HIDDEN_ATOM];
}

// A withdrawn window carries its own states and hints into the next map, so
// they are set to normal before it is mapped.
void ClearWithdrawnStates(xcb_window_t window, xcb_get_property_reply_t* states,
                          xcb_get_property_reply_t* hints) {
    if (states != nullptr && states->format == 32 && states->type == XCB_ATOM_ATOM) {
        const xcb_atom_t* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(states));
        const int count = xcb_get_property_value_length(states) / 4;
        xcb_atom_t kept[32] = {};
        std::uint32_t keptCount = 0;
        for (int i = 0; i < count && keptCount < 32; ++i) {
            if (!IsDropped(atoms[i])) {
                kept[keptCount++] = atoms[i];
            }
        }
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Atoms[NET_WM_STATE_ATOM],
                            XCB_ATOM_ATOM, 32, keptCount, kept);
    }
    if (hints != nullptr && hints->format == 32 && xcb_get_property_value_length(hints) >= 12) {
        std::uint32_t words[9] = {};
        const int length = xcb_get_property_value_length(hints);
        std::memcpy(words, xcb_get_property_value(hints), length < 36 ? length : 36);
        if ((words[0] & StateHint) != 0 && words[2] != NormalState) {
            words[2] = NormalState;
            xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS,
                                XCB_ATOM_WM_HINTS, 32,
                                static_cast<std::uint32_t>(length < 36 ? length / 4 : 9), words);
        }
    }
}

bool Supports(xcb_get_property_reply_t* supported, xcb_atom_t feature) {
    if (supported == nullptr || supported->format != 32) {
        return false;
    }
    const xcb_atom_t* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported));
    const int count = xcb_get_property_value_length(supported) / 4;
    for (int i = 0; i < count; ++i) {
        if (atoms[i] == feature) {
            return true;
        }
    }
    return false;
}

void Restore(xcb_window_t window) {
    const xcb_get_property_cookie_t statesCookie =
        xcb_get_property(Connection, 0, window, Atoms[NET_WM_STATE_ATOM], XCB_ATOM_ATOM, 0, 32);
    const xcb_get_property_cookie_t hintsCookie =
        xcb_get_property(Connection, 0, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9);
    const xcb_get_property_cookie_t supportedCookie =
        xcb_get_property(Connection, 0, Screen->root, Atoms[NET_SUPPORTED_ATOM], XCB_ATOM_ATOM, 0, 1024);
    WindowRecord record;
    FetchRecord(window, record);
    xcb_get_property_reply_t* states = xcb_get_property_reply(Connection, statesCookie, nullptr);
    xcb_get_property_reply_t* hints = xcb_get_property_reply(Connection, hintsCookie, nullptr);
    xcb_get_property_reply_t* supported = xcb_get_property_reply(Connection, supportedCookie, nullptr);
    const bool activates = WindowManagerRuns() && Supports(supported, Atoms[NET_ACTIVE_WINDOW_ATOM]);
    // Gone since the walk: nothing is done, least of all to another window.
    if (record.Exists) {
        if (!record.Mapped && record.WmState != IconicState) {
            ClearWithdrawnStates(window, states, hints);
        }
        xcb_map_window(Connection, window);
        AskWindowManager(window, Atoms[NET_WM_STATE_ATOM], RemoveState,
                         Atoms[NET_WM_STATE_MAXIMIZED_VERT_ATOM], Atoms[NET_WM_STATE_MAXIMIZED_HORZ_ATOM]);
        AskWindowManager(window, Atoms[NET_WM_STATE_ATOM], RemoveState, Atoms[NET_WM_STATE_FULLSCREEN_ATOM],
                         0);
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(Connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        if (activates) {
            AskWindowManager(window, Atoms[NET_ACTIVE_WINDOW_ATOM], FromPager, XCB_CURRENT_TIME, 0);
        } else if (!WindowManagerRuns()) {
            xcb_set_input_focus(Connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        }
    }
    std::free(states);
    std::free(hints);
    std::free(supported);
}

}  // namespace

namespace Platform {

BOOL ShowWindow(HWND window, int command) {
    if (command == SW_HIDE) {
        Withdraw(WindowOf(window));
    } else {
        Restore(WindowOf(window));
    }
    return 1;
}

}  // namespace Platform
