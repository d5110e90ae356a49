// Window making for the test helper.
#include <time.h>

#include <cstdlib>
#include <cstring>

#include "tests/x11/helper.h"

xcb_connection_t* Connection = nullptr;
xcb_screen_t* Screen = nullptr;

xcb_atom_t Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        Connection, xcb_intern_atom(Connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : 0;
    std::free(reply);
    return atom;
}

void SetText(xcb_window_t window, xcb_atom_t property, const std::string& text) {
    const xcb_atom_t type = property == XCB_ATOM_WM_NAME ? xcb_atom_t{XCB_ATOM_STRING} : Atom("UTF8_STRING");
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(text.size()), text.data());
}

bool WindowManagerRuns() {
    xcb_get_window_attributes_reply_t* root = xcb_get_window_attributes_reply(
        Connection, xcb_get_window_attributes(Connection, Screen->root), nullptr);
    const bool runs = root != nullptr && (root->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT) != 0;
    std::free(root);
    return runs;
}

xcb_window_t Create(xcb_window_t parent, int n, const std::string& net, const std::string& legacy) {
    const xcb_window_t window = xcb_generate_id(Connection);
    const std::uint32_t values[] = {Screen->white_pixel};
    xcb_create_window(Connection, XCB_COPY_FROM_PARENT, window, parent,
                      static_cast<std::int16_t>(20 + n % 40 * 10),
                      static_cast<std::int16_t>(20 + n % 40 * 10), 200, 100, 1, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      Screen->root_visual, XCB_CW_BACK_PIXEL, values);
    if (!net.empty()) {
        SetText(window, Atom("_NET_WM_NAME"), net);
    }
    if (!legacy.empty()) {
        SetText(window, XCB_ATOM_WM_NAME, legacy);
    }
    return window;
}

// Makes one window of the given kind; returns it and whether it is to be mapped.

namespace {

bool HasWmState(xcb_window_t window, xcb_atom_t wmState, bool normal) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        Connection, xcb_get_property(Connection, 0, window, wmState, wmState, 0, 2), nullptr);
    const bool has = reply != nullptr && reply->type == wmState &&
                     xcb_get_property_value_length(reply) >= 4 &&
                     (!normal || *static_cast<std::uint32_t*>(xcb_get_property_value(reply)) == 1);
    std::free(reply);
    return has;
}

}  // namespace

// Waits until the window manager has taken in every mapped window, or 20 s.
void AwaitManaged(const std::vector<xcb_window_t>& mapped, bool normal) {
    const xcb_atom_t wmState = Atom("WM_STATE");
    for (int tries = 0; tries < 2000; ++tries) {
        std::size_t done = 0;
        while (done < mapped.size() && HasWmState(mapped[done], wmState, normal)) {
            ++done;
        }
        if (done == mapped.size()) {
            return;
        }
        struct timespec pause = {0, 10000000};
        nanosleep(&pause, nullptr);
    }
}
