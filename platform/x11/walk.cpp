// EnumWindows on X11, in three steps: the root's children and the window
// manager's lists; then every candidate's title, map state and WM_STATE, all
// asked for before any answer is read; then the walk over what came back.
// The number of round trips does not grow with the number of windows.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/x11.h"

namespace X11 {

namespace {

constexpr std::uint32_t TitleWords = 64;  // 256 bytes: a title keeps 255

std::vector<WindowRecord> Walk;

WindowRecord Record(xcb_window_t window, bool managed) {
    WindowRecord record;
    record.Window = window;
    record.Managed = managed;
    return record;
}

// The top-level windows, topmost first. The window manager's clients, tabs of
// one frame included, come in its stacking order, all where its topmost frame
// stands; its own windows (frames, panels) are left out: they are the ones
// made on its connection, whose ids share the base of its check window.
void ListTopLevels() {
    const xcb_query_tree_cookie_t treeCookie = xcb_query_tree(Connection, Screen->root);
    const auto stackingCookie = AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST_STACKING, MaxClients);
    const auto listCookie = AskProperty(Screen->root, Ewmh._NET_CLIENT_LIST, MaxClients);
    const auto checkCookie = AskProperty(Screen->root, Ewmh._NET_SUPPORTING_WM_CHECK, 1);
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(Connection, treeCookie, nullptr);
    std::vector<std::uint32_t> clients = ReadItems(stackingCookie);
    const std::vector<std::uint32_t> list = ReadItems(listCookie);
    const std::vector<std::uint32_t> check = ReadItems(checkCookie);
    if (!WindowManagerRuns) {
        clients.clear();  // lists a window manager left behind when it ended
    } else if (clients.empty()) {
        clients = list;
    }
    std::vector<std::uint32_t> managed = clients;
    std::sort(managed.begin(), managed.end());
    const std::uint32_t base = ~xcb_get_setup(Connection)->resource_id_mask;
    const bool ownKnown = WindowManagerRuns && !check.empty();
    const xcb_window_t* children = tree != nullptr ? xcb_query_tree_children(tree) : nullptr;
    bool clientsPlaced = false;
    Walk.clear();
    Walk.reserve(clients.size() + static_cast<std::size_t>(tree != nullptr ? tree->children_len : 0));
    for (int i = tree != nullptr ? xcb_query_tree_children_length(tree) - 1 : -1; i >= -1; --i) {
        // The server lists bottom to top; the walk goes topmost first, and -1 ends it.
        const xcb_window_t window = i >= 0 ? children[i] : xcb_window_t{XCB_WINDOW_NONE};
        const bool isClient = std::binary_search(managed.begin(), managed.end(), window);
        const bool isOwn = ownKnown && i >= 0 && (window & base) == (check[0] & base);
        if ((isClient || isOwn || i < 0) && !clientsPlaced) {
            clientsPlaced = true;
            for (auto client = clients.rbegin(); client != clients.rend(); ++client) {
                Walk.push_back(Record(*client, true));
            }
        }
        if (!isClient && !isOwn && i >= 0) {
            Walk.push_back(Record(window, false));
        }
    }
    std::free(tree);
}

// Keeps the title if the property holds one; false when it is absent or empty.
bool ReadTitle(xcb_get_property_cookie_t cookie, WindowRecord& record) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection, cookie, nullptr);
    const int length = reply != nullptr && reply->format == 8 ? xcb_get_property_value_length(reply) : 0;
    if (length > 0) {
        record.Title.Assign(static_cast<const char*>(xcb_get_property_value(reply)),
                            static_cast<std::size_t>(length));
    }
    std::free(reply);
    return length > 0;
}

// The map state of every window, and WM_STATE of the window manager's
// clients: a minimised client is unmapped but still counts (fluxbox gives a
// tab behind the active one no WM_STATE, but leaves it mapped).
void ReadRecords() {
    const std::size_t count = Walk.size();
    std::vector<xcb_get_property_cookie_t> names(count);
    std::vector<xcb_get_property_cookie_t> states(count);
    std::vector<xcb_get_window_attributes_cookie_t> attributes(count);
    for (std::size_t i = 0; i < count; ++i) {
        names[i] = AskProperty(Walk[i].Window, Ewmh._NET_WM_NAME, TitleWords);
        attributes[i] = xcb_get_window_attributes_unchecked(Connection, Walk[i].Window);
        if (Walk[i].Managed) {
            states[i] = AskProperty(Walk[i].Window, Atoms[WmState], 1);
        }
    }
    std::vector<std::size_t> unnamed;
    for (std::size_t i = 0; i < count; ++i) {
        WindowRecord& record = Walk[i];
        const bool named = ReadTitle(names[i], record);
        xcb_get_window_attributes_reply_t* reply =
            xcb_get_window_attributes_reply(Connection, attributes[i], nullptr);
        record.Exists = reply != nullptr;
        record.Mapped = reply != nullptr && reply->map_state != XCB_MAP_STATE_UNMAPPED;
        record.Unmanageable = reply != nullptr && reply->override_redirect != 0;
        std::free(reply);
        if (record.Managed) {
            const std::vector<std::uint32_t> state = ReadItems(states[i]);
            record.State = state.empty() ? 0 : state[0];
        }
        if (!named && record.Exists) {
            unnamed.push_back(i);
        }
    }
    // Older programs (xterm among them) name their windows only in WM_NAME:
    // one more round trip, for those alone.
    for (std::size_t i = 0; i < unnamed.size(); ++i) {
        names[i] = AskProperty(Walk[unnamed[i]].Window, XCB_ATOM_WM_NAME, TitleWords);
    }
    for (std::size_t i = 0; i < unnamed.size(); ++i) {
        ReadTitle(names[i], Walk[unnamed[i]]);
    }
}

}  // namespace


BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    ListTopLevels();
    ReadRecords();
    // A window destroyed since the listing is passed over unseen.
    Walk.erase(std::remove_if(Walk.begin(), Walk.end(), [](const WindowRecord& r) { return !r.Exists; }),
               Walk.end());
    return Desktop::PresentEach(Walk, callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return CountsAsVisible(Desktop::RecordOf<WindowRecord>(window)) ? 1 : 0;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<WindowRecord>(window).Title;
}

}  // namespace X11
