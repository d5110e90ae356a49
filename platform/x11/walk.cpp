// EnumWindows on X11, in three steps: the root's children and the window
// manager's lists; then every candidate's title, map state and WM_STATE, and
// where it stands, all asked for before any answer is read; then the walk
// over what came back, topmost first. The number of round trips does not grow
// with the number of windows.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/connection.h"
#include "platform/x11/stacking.h"
#include "platform/x11/x11.h"

namespace X11 {

namespace {

constexpr std::uint32_t TitleWords = 64;  // 256 bytes: a title keeps 255

std::vector<WindowRecord> Walk;

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
    std::vector<FrameQuery> frames = AskFrames(Walk);
    for (std::size_t i = 0; i < count; ++i) {
        names[i] = AskProperty(Walk[i].Window, Ewmh._NET_WM_NAME, TitleWords);
        attributes[i] = xcb_get_window_attributes_unchecked(Connection, Walk[i].Window);
        if (Walk[i].Managed) {
            states[i] = AskProperty(Walk[i].Window, Atoms[WmState], 1);
        }
    }
    ReadFrames(Walk, frames);
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
            record.State = state.empty() ? NoState : state[0];
        }
        if (!named && record.Exists) {
            unnamed.push_back(i);
        }
    }
    // Older programs (xterm among them) name their windows only in WM_NAME:
    // one more round trip, for those alone, beside the next level of frames.
    for (std::size_t i = 0; i < unnamed.size(); ++i) {
        names[i] = AskProperty(Walk[unnamed[i]].Window, XCB_ATOM_WM_NAME, TitleWords);
    }
    frames = AskFrames(Walk);
    for (std::size_t i = 0; i < unnamed.size(); ++i) {
        ReadTitle(names[i], Walk[unnamed[i]]);
    }
    ReadFrames(Walk, frames);
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    ListTopLevels(Walk);
    ReadRecords();
    OrderByStacking(Walk);
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
