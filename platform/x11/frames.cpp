// Reparenting window managers put each client in a frame of their own; this
// finds, for each of the root's children, the client inside it. Every level of
// the tree costs one round trip: its requests are all sent before any reply is
// read.
#include <cstdlib>
#include <unordered_map>

#include "platform/x11/x11.h"

namespace {

// Frames nest a client a few windows deep at most; deeper trees are not searched.
constexpr int MaxFrameDepth = 4;

struct Candidate {
    std::size_t Top = 0;  // index of the root child this window lies in
    xcb_window_t Window = XCB_WINDOW_NONE;
};

std::vector<xcb_window_t> ReadChildren(xcb_query_tree_cookie_t cookie) {
    std::vector<xcb_window_t> children;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection, cookie, nullptr);
    if (tree != nullptr) {
        const xcb_window_t* first = xcb_query_tree_children(tree);
        children.assign(first, first + xcb_query_tree_children_length(tree));
    }
    std::free(tree);
    return children;
}

// The window manager's list of clients: each client's ancestor among the root's
// children is its frame. Clients are walked up one level per round trip.
void ClientsFromList(const std::vector<xcb_window_t>& list,
                     const std::unordered_map<xcb_window_t, std::size_t>& topIndex,
                     std::vector<xcb_window_t>& client) {
    std::vector<Candidate> climbing;  // Top holds the index of the client in list
    for (std::size_t i = 0; i < list.size(); ++i) {
        climbing.push_back({i, list[i]});
    }
    for (int depth = 0; depth <= MaxFrameDepth && !climbing.empty(); ++depth) {
        std::vector<xcb_query_tree_cookie_t> cookies;
        for (const Candidate& c : climbing) {
            cookies.push_back(xcb_query_tree(Connection, c.Window));
        }
        std::vector<Candidate> next;
        for (std::size_t i = 0; i < climbing.size(); ++i) {
            xcb_window_t parent = XCB_WINDOW_NONE;
            xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection, cookies[i], nullptr);
            if (tree != nullptr) {
                parent = tree->parent;
            }
            std::free(tree);
            // A client straight under the root stands for itself; one in a
            // frame that is a child of the root stands for that frame.
            const auto top = topIndex.find(parent == Screen->root ? climbing[i].Window : parent);
            if (top != topIndex.end()) {
                if (client[top->second] == XCB_WINDOW_NONE) {
                    client[top->second] = list[climbing[i].Top];
                }
            } else if (parent != XCB_WINDOW_NONE && parent != Screen->root) {
                next.push_back({climbing[i].Top, parent});
            }
        }
        climbing.swap(next);
    }
}

// Without a client list: the first window below a root child that carries
// WM_STATE is its client, searched one level per round trip.
void ClientsBySearch(const std::vector<xcb_window_t>& tops, std::vector<xcb_window_t>& client) {
    std::vector<Candidate> level;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        if (client[i] == XCB_WINDOW_NONE) {
            level.push_back({i, tops[i]});
        }
    }
    for (int depth = 0; depth <= MaxFrameDepth && !level.empty(); ++depth) {
        std::vector<xcb_get_property_cookie_t> states;
        std::vector<xcb_query_tree_cookie_t> trees;
        for (const Candidate& c : level) {
            states.push_back(
                xcb_get_property(Connection, 0, c.Window, Atoms[WM_STATE_ATOM], Atoms[WM_STATE_ATOM], 0, 0));
            trees.push_back(xcb_query_tree(Connection, c.Window));
        }
        std::vector<Candidate> next;
        for (std::size_t i = 0; i < level.size(); ++i) {
            xcb_get_property_reply_t* state = xcb_get_property_reply(Connection, states[i], nullptr);
            const bool hasState = state != nullptr && state->type == Atoms[WM_STATE_ATOM];
            std::free(state);
            std::vector<xcb_window_t> children = ReadChildren(trees[i]);
            if (hasState && client[level[i].Top] == XCB_WINDOW_NONE) {
                client[level[i].Top] = level[i].Window;
            }
            for (xcb_window_t child : children) {
                if (!hasState && client[level[i].Top] == XCB_WINDOW_NONE) {
                    next.push_back({level[i].Top, child});
                }
            }
        }
        level.swap(next);
    }
}

}  // namespace

void FindClients(const std::vector<xcb_window_t>& tops, const std::vector<xcb_window_t>& list,
                 std::vector<xcb_window_t>& client) {
    std::unordered_map<xcb_window_t, std::size_t> topIndex;
    for (std::size_t i = 0; i < tops.size(); ++i) {
        topIndex.emplace(tops[i], i);
    }
    ClientsFromList(list, topIndex, client);
    ClientsBySearch(tops, client);
}
