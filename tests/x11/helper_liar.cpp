// A window manager that lies, for the X11 tests: it holds SubstructureRedirect
// and lists as its clients a window nested deeper than any frame, a window
// that does not exist and the root itself. Windows mapped meanwhile it maps.
#include <cstdio>
#include <cstdlib>

#include "tests/x11/helper.h"

void Lie(const std::string& title) {
    const std::uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    xcb_change_window_attributes(Connection, Screen->root, XCB_CW_EVENT_MASK, &redirect);
    const xcb_window_t check = Create(Screen->root, 0, "", "");
    xcb_window_t deep = Screen->root;
    for (int level = 0; level < 12; ++level) {
        deep = Create(deep, 0, level == 11 ? title : "", level == 11 ? title : "");
        xcb_map_window(Connection, deep);
    }
    const xcb_window_t clients[] = {deep, 0x7ffffff0, Screen->root};
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Screen->root, Atom("_NET_CLIENT_LIST"),
                        XCB_ATOM_WINDOW, 32, 3, clients);
    xcb_change_property(Connection, XCB_PROP_MODE_REPLACE, Screen->root, Atom("_NET_SUPPORTING_WM_CHECK"),
                        XCB_ATOM_WINDOW, 32, 1, &check);
    std::printf("0x%x\nready\n", deep);
    std::fflush(stdout);
    while (xcb_generic_event_t* event = xcb_wait_for_event(Connection)) {
        if ((event->response_type & 0x7f) == XCB_MAP_REQUEST) {
            xcb_map_window(Connection, reinterpret_cast<xcb_map_request_event_t*>(event)->window);
            xcb_flush(Connection);
        }
        std::free(event);
    }
}
