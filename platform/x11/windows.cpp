// EnumWindows on X11: the root's children, topmost first, each reparenting
// frame replaced by the client inside it.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "platform/x11/x11.h"

namespace {

// _NET_CLIENT_LIST is read up to this many windows (4 bytes each).
constexpr std::uint32_t MaxClients = 65536;

std::vector<xcb_window_t> ReadClientList(xcb_get_property_cookie_t cookie) {
    std::vector<xcb_window_t> list;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection, cookie, nullptr);
    if (reply != nullptr && reply->format == 32 && reply->type == XCB_ATOM_WINDOW) {
        const xcb_window_t* first = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
        list.assign(first, first + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return list;
}

// The window each root child stands for, topmost first.
std::vector<xcb_window_t> PresentedWindows() {
    const xcb_query_tree_cookie_t treeCookie = xcb_query_tree(Connection, Screen->root);
    const xcb_get_window_attributes_cookie_t rootCookie = xcb_get_window_attributes(Connection, Screen->root);
    const xcb_get_property_cookie_t listCookie = xcb_get_property(
        Connection, 0, Screen->root, Atoms[NET_CLIENT_LIST_ATOM], XCB_ATOM_WINDOW, 0, MaxClients);
    std::vector<xcb_window_t> tops;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection, treeCookie, nullptr);
    if (tree != nullptr) {
        // Bottom to top as the server lists them; the walk goes topmost first.
        const xcb_window_t* first = xcb_query_tree_children(tree);
        tops.assign(std::reverse_iterator(first + xcb_query_tree_children_length(tree)),
                    std::reverse_iterator(first));
    }
    std::free(tree);
    const std::vector<xcb_window_t> list = ReadClientList(listCookie);
    std::vector<xcb_window_t> client(tops.size(), XCB_WINDOW_NONE);
    if (WindowManagerRuns(&rootCookie)) {
        FindClients(tops, list, client);
    }
    for (std::size_t i = 0; i < tops.size(); ++i) {
        client[i] = client[i] != XCB_WINDOW_NONE ? client[i] : tops[i];
    }
    return client;
}

}  // namespace

namespace Platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    LoadWalk(PresentedWindows());
    BOOL goOn = 1;
    for (std::size_t i = 0; goOn; ++i) {
        const WindowRecord* record = PresentWalkRecord(i);
        if (record == nullptr) {
            break;
        }
        // A window destroyed during the walk is passed over unseen.
        if (record->Exists) {
            goOn = callback(HandleOf(record->Window), value);
        }
    }
    PresentWalkRecord(SIZE_MAX);
    return goOn;
}

}  // namespace Platform
