// The one connection to the X server, opened before the core runs and closed
// when the process ends.
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

xcb_connection_t* Connection = nullptr;
xcb_screen_t* Screen = nullptr;
xcb_atom_t Atoms[AtomCount] = {};
bool WindowManagerRuns = false;

namespace {

// clang-format off
constexpr const char* AtomNames[AtomCount] = {
    "WM_STATE", "WM_PROTOCOLS", "WM_DELETE_WINDOW", "UTF8_STRING", "_NET_WM_NAME", "_NET_WM_STATE",
    "_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_MAXIMIZED_HORZ", "_NET_WM_STATE_FULLSCREEN",
    "_NET_WM_STATE_HIDDEN", "_NET_ACTIVE_WINDOW", "_NET_SUPPORTED", "_NET_CLIENT_LIST",
    "_NET_CLIENT_LIST_STACKING", "_NET_SUPPORTING_WM_CHECK", "_NET_FRAME_EXTENTS", "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DIALOG", "_MOTIF_WM_HINTS", "_DRAPENO_PLACEMENT", "_DRAPENO_MESSAGE"
};
// clang-format on

xcb_screen_t* ScreenAt(int number) {
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(Connection));
    for (; screens.rem > 0; --number, xcb_screen_next(&screens)) {
        if (number == 0) {
            return screens.data;
        }
    }
    return nullptr;
}

}  // namespace

xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words) {
    return xcb_get_property(Connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words);
}

std::vector<std::uint32_t> ReadItems(xcb_get_property_cookie_t cookie) {
    std::vector<std::uint32_t> items;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection, cookie, nullptr);
    if (reply != nullptr && reply->format == 32) {
        const auto* first = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        items.assign(first, first + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return items;
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
    message.data.data32[3] = 2;  // the source is a pager: the user asked for it
    xcb_send_event(Connection, 0, Screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

namespace X11 {

bool Connect() {
    int screenNumber = 0;
    Connection = xcb_connect(nullptr, &screenNumber);
    Screen = xcb_connection_has_error(Connection) ? nullptr : ScreenAt(screenNumber);
    if (Screen == nullptr) {
        return false;
    }
    // One round trip: the atoms and whether a window manager runs.
    xcb_intern_atom_cookie_t cookies[AtomCount] = {};
    for (int i = 0; i < AtomCount; ++i) {
        cookies[i] = xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(AtomNames[i])),
                                     AtomNames[i]);
    }
    xcb_get_window_attributes_reply_t* root = xcb_get_window_attributes_reply(
        Connection, xcb_get_window_attributes(Connection, Screen->root), nullptr);
    WindowManagerRuns =
        root != nullptr && (root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    std::free(root);
    for (int i = 0; i < AtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(Connection, cookies[i], nullptr);
        Atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    return !xcb_connection_has_error(Connection);
}

void Disconnect() {
    if (Connection != nullptr) {
        // One round trip: every request sent is carried out before we leave.
        std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
        xcb_disconnect(Connection);
        Connection = nullptr;
    }
}

}  // namespace X11
