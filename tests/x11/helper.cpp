// Client windows for the X11 tests and benchmark, made to order, kept until
// the helper is killed.
//   x11_helper open KIND:TITLE...  normal, hidden (never mapped), iconic, max,
//                                  legacy (WM_NAME only), split (NET|LEGACY),
//                                  holder (an untitled window whose child is TITLE)
//   x11_helper many N PREFIX       N normal windows titled PREFIX1..PREFIXN
//   x11_helper churn TITLE         windows titled TITLE made and destroyed without end,
//                                  five at a time, as fast as the window manager takes them in
//   x11_helper close WINDOW        asks WINDOW to close (WM_DELETE_WINDOW)
//   x11_helper restore WINDOW      maps WINDOW again and puts it at the bottom
//   x11_helper liar TITLE          a window manager whose client list lies
// open and many print each window's id, then "ready" once a window manager,
// if one runs, has taken them all in.
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/x11/helper.h"

namespace {

xcb_window_t Make(int n, const std::string& kind, const std::string& title, bool managed, bool& map) {
    map = kind != "hidden";
    if (kind == "legacy") {
        return Create(Screen->root, n, "", title);
    }
    if (kind == "split") {
        const std::size_t bar = title.find('|');
        return Create(Screen->root, n, title.substr(0, bar), title.substr(bar + 1));
    }
    if (kind == "holder") {
        const xcb_window_t holder = Create(Screen->root, n, "", "");
        xcb_map_window(Connection, Create(holder, n, title, title));
        return holder;
    }
    const xcb_window_t window = Create(Screen->root, n, title, title);
    if (kind == "iconic") {
        const std::uint32_t hints[9] = {2, 0, 3};  // StateHint, IconicState
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                            32, 9, hints);
        map = managed;  // with nobody to iconify it, it stays withdrawn
    } else if (kind == "max") {
        const xcb_atom_t states[] = {Atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                                     Atom("_NET_WM_STATE_MAXIMIZED_HORZ")};
        xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, window, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM,
                            32, 2, states);
        map = managed;
    }
    return window;
}

void Open(const std::vector<std::string>& descriptions) {
    const bool managed = WindowManagerRuns();
    std::vector<xcb_window_t> mapped;
    for (std::size_t i = 0; i < descriptions.size(); ++i) {
        const std::size_t colon = descriptions[i].find(':');
        bool map = false;
        const xcb_window_t window = Make(static_cast<int>(i), descriptions[i].substr(0, colon),
                                         descriptions[i].substr(colon + 1), managed, map);
        if (map) {
            xcb_map_window(Connection, window);
            mapped.push_back(window);
        }
        std::printf("0x%x\n", window);
    }
    xcb_flush(Connection);
    if (managed) {
        AwaitManaged(mapped, false);
    }
    std::printf("ready\n");
    std::fflush(stdout);
}

void Churn(const std::string& title) {
    const bool managed = WindowManagerRuns();
    for (;;) {
        std::vector<xcb_window_t> windows(5, XCB_WINDOW_NONE);
        for (xcb_window_t& window : windows) {
            window = Create(Screen->root, 0, title, title);
            xcb_map_window(Connection, window);
        }
        // At the window manager's own pace, in small rounds: once it has shown
        // this round, it has also caught up with the destructions of the
        // last, and a request of Drapeno's waits behind one round at most.
        // Faster, a window manager falls seconds behind (fluxbox, bspwm,
        // herbstluftwm), and every request after it waits as long. Shown, not
        // just taken in, and a pause after: metacity and marco show a window
        // only when no event waits, so unbroken churn, on a busy machine,
        // kept every other window from showing for seconds.
        if (managed) {
            AwaitManaged(windows, true);
            struct timespec pause = {0, 100000000};
            nanosleep(&pause, nullptr);
        }
        for (xcb_window_t window : windows) {
            xcb_destroy_window(Connection, window);
        }
        std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
        if (xcb_connection_has_error(Connection)) {
            return;
        }
    }
}

void Close(xcb_window_t window) {
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom("WM_PROTOCOLS");
    message.data.data32[0] = Atom("WM_DELETE_WINDOW");
    xcb_send_event(Connection, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
}

// Brings back a window that a tool hid or minimised, at the bottom of the stack
// again, so that it stays the last one a walk comes to.
void Restore(xcb_window_t window) {
    xcb_map_window(Connection, window);
    xcb_flush(Connection);
    if (WindowManagerRuns()) {
        AwaitManaged({window}, true);
    }
    const std::uint32_t below = XCB_STACK_MODE_BELOW;
    xcb_configure_window(Connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &below);
    std::free(xcb_get_input_focus_reply(Connection, xcb_get_input_focus(Connection), nullptr));
}

}  // namespace

int main(int argc, char** argv) {
    Connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(Connection) || argc < 3) {
        std::fprintf(stderr, "usage: x11_helper open|many|churn|close ... (needs a display)\n");
        return 2;
    }
    Screen = xcb_setup_roots_iterator(xcb_get_setup(Connection)).data;
    const std::string command = argv[1];
    if (command == "close") {
        Close(static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)));
        return 0;
    }
    if (command == "restore") {
        Restore(static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)));
        return 0;
    }
    if (command == "liar") {
        Lie(argv[2]);
        return 0;
    }
    if (command == "churn") {
        Churn(argv[2]);
        return 0;
    }
    std::vector<std::string> descriptions(argv + 2, argv + argc);
    if (command == "many") {
        descriptions.clear();
        for (long i = 1; i <= std::strtol(argv[2], nullptr, 10); ++i) {
            descriptions.push_back(std::string("normal:") + (argc > 3 ? argv[3] : "Window ") +
                                   std::to_string(i));
        }
    }
    Open(descriptions);
    // Keep the windows until killed.
    while (xcb_generic_event_t* event = xcb_wait_for_event(Connection)) {
        std::free(event);
    }
    return 0;
}
