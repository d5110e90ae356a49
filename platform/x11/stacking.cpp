// The top-level windows and where each stands. The server's order of the
// root's children is the truth; a window manager's _NET_CLIENT_LIST_STACKING
// is not (icewm lists it top to bottom, fluxbox never reorders it on a raise),
// so the window manager's lists only tell which windows are its clients. Nor
// are they all of them: twm keeps none, pekwm lists only the front tab of a
// frame, and its newest window only once another comes or goes. So the
// clients are also found the ICCCM way, as the windows with WM_STATE at or
// just below each of the root's children. A client stands where its frame
// does: the root's child that holds it, found on the way down or, for a listed
// client not found so (fluxbox gives a tab behind no WM_STATE), by climbing
// from the client one level per round trip, all clients at once.
#include "platform/x11/stacking.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <utility>

namespace X11 {

namespace {

// Windows and their index in a list, sorted by window, to look them up.
using Index = std::vector<std::pair<xcb_window_t, int>>;

Index IndexOf(const xcb_window_t* windows, int count) {
    Index index;
    index.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        index.emplace_back(windows[i], i);
    }
    std::sort(index.begin(), index.end());
    return index;
}

int Find(const Index& index, xcb_window_t window) {
    const auto at = std::lower_bound(index.begin(), index.end(), std::make_pair(window, -1));
    return at != index.end() && at->first == window ? at->second : -1;
}

Index RootChildren;  // bottom to top

// Levels below a root's child where a client is looked for: window managers
// put it in their frame or one level deeper.
constexpr int FrameDepth = 2;

// The windows with WM_STATE at or below the root's children, and where each
// stands among them, one level per round trip; a client's children are not
// looked into. A window manager lets a window go back to the root, where some
// (fluxbox) leave its WM_STATE as it was: where it keeps a client list, a
// root's child is a client only if listed.
Index FindClients(const xcb_window_t* children, int count, bool listing) {
    Index found;
    Index level = IndexOf(children, count);
    for (int depth = 0; depth <= FrameDepth && !level.empty(); ++depth) {
        std::vector<xcb_get_property_cookie_t> states;
        std::vector<xcb_query_tree_cookie_t> trees;
        for (const auto& [window, place] : level) {
            states.push_back(AskProperty(window, Atoms[WmState], 1));
            if (depth < FrameDepth) {
                trees.push_back(xcb_query_tree_unchecked(Connection, window));
            }
        }
        Index next;
        for (std::size_t i = 0; i < level.size(); ++i) {
            const bool client = !ReadItems(states[i]).empty();
            xcb_query_tree_reply_t* tree =
                depth < FrameDepth ? xcb_query_tree_reply(Connection, trees[i], nullptr) : nullptr;
            const int below = tree != nullptr && !client ? xcb_query_tree_children_length(tree) : 0;
            for (int j = 0; j < below && next.size() < MaxClients; ++j) {
                next.emplace_back(xcb_query_tree_children(tree)[j], level[i].second);
            }
            std::free(tree);
            if (client && (depth > 0 || !listing)) {
                found.push_back(level[i]);
            }
        }
        level.swap(next);
    }
    std::sort(found.begin(), found.end());
    return found;
}

}  // namespace

// The window manager's own windows (frames, panels) are left out: they are the
// ones made on its connection, whose ids share the base of its check window.
void ListTopLevels(std::vector<WindowRecord>& walk) {
    const xcb_query_tree_cookie_t treeCookie = xcb_query_tree(Connection, Screen->root);
    const auto stackingCookie = AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST_STACKING, MaxClients);
    const auto listCookie = AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST, MaxClients);
    const auto checkCookie = AskProperty(Screen->root, Ewmh._NET_SUPPORTING_WM_CHECK, 1);
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection, treeCookie, nullptr);
    const std::vector<std::uint32_t> stacking = ReadItems(stackingCookie);
    std::vector<std::uint32_t> clients = ReadItems(listCookie);
    const std::vector<std::uint32_t> check = ReadItems(checkCookie);
    if (!WindowManagerRuns) {
        clients.clear();  // lists a window manager left behind when it ended
    } else if (clients.empty()) {
        clients = stacking;
    }
    const int count = tree != nullptr ? xcb_query_tree_children_length(tree) : 0;
    const xcb_window_t* children = tree != nullptr ? xcb_query_tree_children(tree) : nullptr;
    // Without a window manager nothing is looked up: the root's children are the top-level windows.
    const int looked = WindowManagerRuns ? count : 0;
    RootChildren = IndexOf(children, looked);
    const Index found = FindClients(children, looked, !clients.empty());
    const Index ranks = IndexOf(stacking.data(), looked > 0 ? static_cast<int>(stacking.size()) : 0);
    std::vector<std::uint32_t> listed = clients;
    std::sort(listed.begin(), listed.end());
    for (const auto& [window, place] : found) {
        if (!std::binary_search(listed.begin(), listed.end(), window)) {
            clients.push_back(window);
        }
    }
    // The root's children that hold a client: frames, not top-level windows.
    std::vector<bool> frames(static_cast<std::size_t>(count), false);
    walk.clear();
    walk.reserve(clients.size() + static_cast<std::size_t>(count));
    for (const xcb_window_t client : clients) {
        WindowRecord record;
        record.Window = client;
        record.Managed = true;
        record.Place = Find(found, client);
        // A client of a window manager that does not reparent, without WM_STATE.
        record.Place = record.Place < 0 ? Find(RootChildren, client) : record.Place;
        record.Rank = Find(ranks, client);
        record.Climbing = record.Place < 0 ? client : xcb_window_t{XCB_WINDOW_NONE};
        if (record.Place >= 0) {
            frames[static_cast<std::size_t>(record.Place)] = true;
        }
        walk.push_back(record);
    }
    const std::uint32_t base = ~xcb_get_setup(Connection)->resource_id_mask;
    const bool ownKnown = WindowManagerRuns && !check.empty();
    for (int i = count - 1; i >= 0; --i) {  // topmost first: without clients, the walk's order
        const bool isOwn = ownKnown && (children[i] & base) == (check[0] & base);
        if (!isOwn && !frames[static_cast<std::size_t>(i)] &&
            !std::binary_search(listed.begin(), listed.end(), children[i])) {
            WindowRecord record;
            record.Window = children[i];
            record.Place = i;
            walk.push_back(record);
        }
    }
    std::free(tree);
}

std::vector<FrameQuery> AskFrames(const std::vector<WindowRecord>& walk) {
    std::vector<FrameQuery> queries;
    for (std::size_t i = 0; i < walk.size(); ++i) {
        if (walk[i].Climbing != XCB_WINDOW_NONE && walk[i].Levels < MaxFrameLevels) {
            queries.push_back({i, xcb_query_tree_unchecked(Connection, walk[i].Climbing)});
        }
    }
    return queries;
}

// A climb ends at the frame, or where the window is gone, or has come to hang
// from the root itself since the listing: its frame is not found.
void ReadFrames(std::vector<WindowRecord>& walk, const std::vector<FrameQuery>& queries) {
    for (const FrameQuery& query : queries) {
        xcb_query_tree_reply_t* reply = xcb_query_tree_reply(Connection, query.Cookie, nullptr);
        const xcb_window_t parent = reply != nullptr ? reply->parent : xcb_window_t{XCB_WINDOW_NONE};
        std::free(reply);
        WindowRecord& record = walk[query.Index];
        record.Place = Find(RootChildren, parent);
        record.Climbing = record.Place < 0 && parent != Screen->root ? parent : xcb_window_t{XCB_WINDOW_NONE};
        ++record.Levels;
    }
}

// Tabs of one frame come in the window manager's stacking list order, and a
// client whose frame is not found comes last.
void OrderByStacking(std::vector<WindowRecord>& walk) {
    for (auto queries = AskFrames(walk); !queries.empty(); queries = AskFrames(walk)) {
        ReadFrames(walk, queries);
    }
    const auto above = [](const WindowRecord& a, const WindowRecord& b) {
        return a.Place != b.Place ? a.Place > b.Place : a.Rank > b.Rank;
    };
    if (std::is_sorted(walk.begin(), walk.end(), above)) {
        return;  // no window manager: the root's children came in order
    }
    // A record is large (its title): the order is found on indices, and each
    // record then moved once.
    std::vector<std::size_t> order(walk.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&walk, &above](std::size_t a, std::size_t b) {
        return above(walk[a], walk[b]) || (!above(walk[b], walk[a]) && a < b);
    });
    std::vector<WindowRecord> ordered;
    ordered.reserve(walk.size());
    for (const std::size_t i : order) {
        ordered.push_back(walk[i]);
    }
    walk.swap(ordered);
}

}  // namespace X11
