// The one connection to the X server, opened before the core runs and closed
// when the process ends.
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace X11 {

xcb_connection_t* Connection = nullptr;
xcb_screen_t* Screen = nullptr;
int ScreenNumber = 0;
xcb_ewmh_connection_t Ewmh = {};
bool WindowManagerRuns = false;
xcb_atom_t Atoms[AtomCount] = {};

namespace {

constexpr const char* AtomNames[AtomCount] = {"WM_STATE", "WM_DELETE_WINDOW", "_MOTIF_WM_HINTS",
                                              "_DRAPENO_PLACEMENT", "_DRAPENO_MESSAGE"};

}  // namespace

// Unchecked: an error (the window is gone) reads as a null reply just the
// same, and xcb need not keep a record per request to route it there.
xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words) {
    return xcb_get_property_unchecked(Connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words);
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

bool Connect() {
    Connection = xcb_connect(nullptr, &ScreenNumber);
    if (xcb_connection_has_error(Connection) != 0) {
        return false;
    }
    // One round trip: the atoms, and whether a window manager runs. The EWMH
    // library knows the screens as soon as it has asked for its atoms.
    xcb_intern_atom_cookie_t* ewmhCookies = xcb_ewmh_init_atoms(Connection, &Ewmh);
    xcb_intern_atom_cookie_t cookies[AtomCount] = {};
    for (int i = 0; i < AtomCount; ++i) {
        cookies[i] = xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(AtomNames[i])),
                                     AtomNames[i]);
    }
    Screen = ScreenNumber < Ewmh.nb_screens ? Ewmh.screens[ScreenNumber] : Ewmh.screens[0];
    const auto rootCookie = xcb_get_window_attributes(Connection, Screen->root);
    const bool named = xcb_ewmh_init_atoms_replies(&Ewmh, ewmhCookies, nullptr) != 0;
    for (int i = 0; i < AtomCount; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(Connection, cookies[i], nullptr);
        Atoms[i] = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    xcb_get_window_attributes_reply_t* root =
        xcb_get_window_attributes_reply(Connection, rootCookie, nullptr);
    WindowManagerRuns =
        root != nullptr && (root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    std::free(root);
    return named && xcb_connection_has_error(Connection) == 0;
}

void Disconnect() {
    if (Connection != nullptr) {
        // One round trip: every request sent is carried out before we leave.
        std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
        xcb_disconnect(Connection);
        Connection = nullptr;
    }
}

const Desktop::Operations Operations = {Connect, Disconnect, EnumWindows, IsWindowVisible,
                                        TitleOf, ShowWindow, MessageBoxA};

}  // namespace X11
