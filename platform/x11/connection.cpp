// The one connection to the X server, opened before the core runs and closed
// by ExitProcess.
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11.h"

xcb_connection_t* Connection = nullptr;
xcb_screen_t* Screen = nullptr;
xcb_atom_t Atoms[AtomCount] = {};

namespace {

constexpr const char* AtomNames[AtomCount] = {
    "WM_STATE",
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
    "WM_CHANGE_STATE",
    "UTF8_STRING",
    "_NET_WM_NAME",
    "_NET_WM_STATE",
    "_NET_WM_STATE_MAXIMIZED_VERT",
    "_NET_WM_STATE_MAXIMIZED_HORZ",
    "_NET_WM_STATE_FULLSCREEN",
    "_NET_WM_STATE_HIDDEN",
    "_NET_ACTIVE_WINDOW",
    "_NET_SUPPORTED",
    "_NET_CLIENT_LIST",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_DRAPENO_MESSAGE",
};

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

bool OpenDisplay() {
    int screenNumber = 0;
    Connection = xcb_connect(nullptr, &screenNumber);
    Screen = xcb_connection_has_error(Connection) ? nullptr : ScreenAt(screenNumber);
    if (Screen == nullptr) {
        return false;
    }
    xcb_intern_atom_cookie_t cookies[AtomCount] = {};
    for (int i = 0; i < AtomCount; ++i) {
        cookies[i] = xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(AtomNames[i])),
                                     AtomNames[i]);
    }
    for (int i = 0; i < AtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(Connection, cookies[i], nullptr);
        Atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    return !xcb_connection_has_error(Connection);
}

bool WindowManagerRuns(const xcb_get_window_attributes_cookie_t* pending) {
    static int runs = -1;
    if (runs < 0) {
        const xcb_get_window_attributes_cookie_t cookie =
            pending != nullptr ? *pending : xcb_get_window_attributes(Connection, Screen->root);
        xcb_get_window_attributes_reply_t* root =
            xcb_get_window_attributes_reply(Connection, cookie, nullptr);
        runs = root != nullptr && (root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
        std::free(root);
    } else if (pending != nullptr) {
        xcb_discard_reply(Connection, pending->sequence);
    }
    return runs == 1;
}

namespace Platform {

void ExitProcess(UINT exitCode) {
    if (Connection != nullptr) {
        // One round trip: every request sent is carried out before we leave.
        std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
        xcb_disconnect(Connection);
        Connection = nullptr;
    }
    std::exit(static_cast<int>(exitCode));
}

}  // namespace Platform
