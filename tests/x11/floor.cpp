// The least any X11 tool that looks for a window must do: connect, list the
// root's children once, exit. The benchmark's floor.
#include <xcb/xcb.h>

#include <cstdlib>

int main() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::free(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    xcb_disconnect(connection);
    return 0;
}
