// What a window manager's answer looks like: the window's map state, its
// WM_STATE (ICCCM) and its place in the client list (EWMH), in one round trip.
#include "platform/x11/settle.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace X11 {

namespace {

bool Kept(const Seen& seen) {
    return seen.State == NormalState || seen.State == IconicState;
}

}  // namespace

Seen Look(xcb_window_t window) {
    const auto attributesCookie = xcb_get_window_attributes_unchecked(Connection, window);
    const auto stateCookie = AskProperty(window, Atoms[WmState], 1);
    const auto listCookie = AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST, MaxClients);
    Seen seen;
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(Connection, attributesCookie, nullptr);
    seen.Exists = attributes != nullptr;
    seen.Mapped = attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(attributes);
    const std::vector<std::uint32_t> state = ReadItems(stateCookie);
    seen.State = state.empty() ? 0 : state[0];
    const std::vector<std::uint32_t> list = ReadItems(listCookie);
    seen.Listed = std::find(list.begin(), list.end(), window) != list.end();
    return seen;
}

void Pause() {
    const timespec pause = {0, 5000000};
    nanosleep(&pause, nullptr);
}

// Mapped is not enough: a compositing window manager keeps a minimised window
// mapped. A window manager that sets no WM_STATE at all says so by listing it.
bool IsShown(const Seen& seen) {
    return !seen.Exists || (seen.Mapped && (seen.State == NormalState || (seen.State == 0 && seen.Listed)));
}

// ICCCM lets a window manager either mark a withdrawn window so or drop its
// WM_STATE; some keep it in their client list all the same (lwm), others take
// it out and leave WM_STATE as it was (cwm).
bool IsWithdrawn(const Seen& seen) {
    return !seen.Exists || (!seen.Mapped && (!Kept(seen) || !seen.Listed));
}

std::vector<std::uint32_t> StatesOf(xcb_window_t window) {
    return ReadItems(AskProperty(window, Ewmh._NET_WM_STATE, 32));
}

bool Holds(const std::vector<std::uint32_t>& states, xcb_atom_t state) {
    return std::find(states.begin(), states.end(), state) != states.end();
}

}  // namespace X11
