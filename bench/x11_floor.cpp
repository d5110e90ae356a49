// The least any X11 tool that looks for a window must do: connect, list the
// root's children once, exit. With the argument "titles" it also reads every
// child's _NET_WM_NAME, all requests sent before any reply is read: the least
// a tool that looks for a title must do. The benchmark's floors.
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <vector>

int main(int argc, char** argv) {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
    if (argc > 1 && std::strcmp(argv[1], "titles") == 0 && tree != nullptr) {
        xcb_intern_atom_reply_t* name =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 12, "_NET_WM_NAME"), nullptr);
        const xcb_window_t* children = xcb_query_tree_children(tree);
        std::vector<xcb_get_property_cookie_t> cookies(xcb_query_tree_children_length(tree));
        for (std::size_t i = 0; i < cookies.size(); ++i) {
            cookies[i] =
                xcb_get_property(connection, 0, children[i], name != nullptr ? name->atom : 0, 0, 0, 64);
        }
        for (xcb_get_property_cookie_t cookie : cookies) {
            std::free(xcb_get_property_reply(connection, cookie, nullptr));
        }
        std::free(name);
    }
    std::free(tree);
    xcb_disconnect(connection);
    return 0;
}
