// What a pass asks about a window: whether it is visible and its title, read
// from the records the walk prefetched.
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11.h"

const WindowRecord* PresentedRecord = nullptr;

namespace {

// Enough for the 255 bytes a title may keep, and one more to see it was cut.
constexpr std::uint32_t TitleWords = 64;

xcb_get_property_cookie_t RequestProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words) {
    return xcb_get_property(Connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, words);
}

// Reads a text property of 8-bit items; false when it is absent or empty, or
// the window is gone.
bool ReadTitle(xcb_get_property_cookie_t cookie, WindowRecord& record) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection, cookie, nullptr);
    const bool found = reply != nullptr && reply->format == 8 && xcb_get_property_value_length(reply) > 0;
    if (found) {
        const std::size_t length = static_cast<std::size_t>(xcb_get_property_value_length(reply));
        record.TitleLength = length < sizeof record.Title ? length : sizeof record.Title - 1;
        std::memcpy(record.Title, xcb_get_property_value(reply), record.TitleLength);
    }
    std::free(reply);
    return found;
}

}  // namespace

RecordRequests RequestRecord(xcb_window_t window) {
    RecordRequests requests;
    requests.Attributes = xcb_get_window_attributes(Connection, window);
    requests.WmState = RequestProperty(window, Atoms[WM_STATE_ATOM], 2);
    requests.NetWmName = RequestProperty(window, Atoms[NET_WM_NAME_ATOM], TitleWords);
    requests.WmName = RequestProperty(window, XCB_ATOM_WM_NAME, TitleWords);
    return requests;
}

void ReadRecord(const RecordRequests& requests, WindowRecord& record) {
    // Errors come back in place of replies and are freed unseen: a window
    // destroyed meanwhile just reads as gone.
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(Connection, requests.Attributes, &error);
    record.Exists = attributes != nullptr;
    record.Mapped = attributes != nullptr && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(attributes);
    std::free(error);

    xcb_get_property_reply_t* state = xcb_get_property_reply(Connection, requests.WmState, nullptr);
    record.HasWmState = state != nullptr && state->type == Atoms[WM_STATE_ATOM] && state->format == 32 &&
                        xcb_get_property_value_length(state) >= 4;
    record.WmState = record.HasWmState ? *static_cast<std::uint32_t*>(xcb_get_property_value(state)) : 0;
    std::free(state);

    record.TitleLength = 0;
    if (!ReadTitle(requests.NetWmName, record)) {
        ReadTitle(requests.WmName, record);
    } else {
        xcb_discard_reply(Connection, requests.WmName.sequence);
    }
}

void DiscardRecord(const RecordRequests& requests) {
    xcb_discard_reply(Connection, requests.Attributes.sequence);
    xcb_discard_reply(Connection, requests.WmState.sequence);
    xcb_discard_reply(Connection, requests.NetWmName.sequence);
    xcb_discard_reply(Connection, requests.WmName.sequence);
}

void FetchRecord(xcb_window_t window, WindowRecord& record) {
    record = WindowRecord();
    record.Window = window;
    ReadRecord(RequestRecord(window), record);
}

namespace {

// The record of the window the pass is looking at, or a fresh read of any other.
const WindowRecord& RecordOf(HWND handle, WindowRecord& scratch) {
    const xcb_window_t window = WindowOf(handle);
    if (PresentedRecord != nullptr && PresentedRecord->Window == window) {
        return *PresentedRecord;
    }
    FetchRecord(window, scratch);
    return scratch;
}

}  // namespace

namespace Platform {

BOOL IsWindowVisible(HWND window) {
    WindowRecord scratch;
    const WindowRecord& record = RecordOf(window, scratch);
    // A minimised window is still visible, as it is on Windows.
    return record.Exists && (record.Mapped || (record.HasWmState && record.WmState == IconicState));
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    WindowRecord scratch;
    const WindowRecord& record = RecordOf(window, scratch);
    const std::size_t room = static_cast<std::size_t>(maxCount) - 1;
    const std::size_t length = record.TitleLength < room ? record.TitleLength : room;
    std::memcpy(buffer, record.Title, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

}  // namespace Platform
