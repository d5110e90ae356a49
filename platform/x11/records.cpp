// What a pass asks about a window: its title and whether it is visible, read
// for every window of a walk in one batch before the pass looks at any.
#include <cstdlib>
#include <cstring>

#include "platform/x11/x11.h"

namespace {

// Enough for the 255 bytes a title may keep, and one more to see it was cut.
constexpr std::uint32_t TitleWords = 64;

std::vector<WindowRecord> Records;
std::size_t Current = 0;

xcb_get_property_cookie_t RequestTitle(xcb_window_t window, xcb_atom_t property) {
    return xcb_get_property(Connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, TitleWords);
}

// Reads a text property of 8-bit items; false when it is absent or empty. An
// error in place of the reply means the window is gone.
bool ReadTitle(xcb_get_property_cookie_t cookie, WindowRecord& record) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(Connection, cookie, &error);
    record.Exists = record.Exists && error == nullptr;
    const bool found = reply != nullptr && reply->format == 8 && xcb_get_property_value_length(reply) > 0;
    if (found) {
        const std::size_t length = static_cast<std::size_t>(xcb_get_property_value_length(reply));
        record.TitleLength = length < sizeof record.Title ? length : sizeof record.Title - 1;
        std::memcpy(record.Title, xcb_get_property_value(reply), record.TitleLength);
    }
    std::free(reply);
    std::free(error);
    return found;
}

// The requests of one batch: _NET_WM_NAME, the map state and, where a window
// manager could have set it, WM_STATE, all sent before any reply is read.
struct Batch {
    std::vector<xcb_get_property_cookie_t> Titles;
    std::vector<xcb_get_window_attributes_cookie_t> Attributes;
    std::vector<xcb_get_property_cookie_t> States;
};

Batch RequestBatch(const WindowRecord* records, std::size_t count) {
    const bool managed = WindowManagerRuns();
    Batch batch;
    batch.Titles.resize(count);
    batch.Attributes.resize(count);
    batch.States.resize(managed ? count : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const xcb_window_t window = records[i].Window;
        batch.Titles[i] = RequestTitle(window, Atoms[NET_WM_NAME_ATOM]);
        batch.Attributes[i] = xcb_get_window_attributes(Connection, window);
        if (managed) {
            batch.States[i] =
                xcb_get_property(Connection, 0, window, Atoms[WM_STATE_ATOM], Atoms[WM_STATE_ATOM], 0, 2);
        }
    }
    return batch;
}

void ReadVisibility(const Batch& batch, std::size_t i, WindowRecord& record) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply =
        xcb_get_window_attributes_reply(Connection, batch.Attributes[i], &error);
    record.Exists = record.Exists && reply != nullptr;
    record.Mapped = reply != nullptr && reply->map_state != XCB_MAP_STATE_UNMAPPED;
    std::free(reply);
    std::free(error);
    xcb_get_property_reply_t* state =
        i < batch.States.size() ? xcb_get_property_reply(Connection, batch.States[i], nullptr) : nullptr;
    if (state != nullptr && state->format == 32 && xcb_get_property_value_length(state) >= 4) {
        record.WmState = *static_cast<std::uint32_t*>(xcb_get_property_value(state));
    }
    std::free(state);
}

// One batch for every window, then WM_NAME for those without _NET_WM_NAME: two
// round trips at most, whatever the number of windows.
void LoadRecords(WindowRecord* records, std::size_t count) {
    const Batch batch = RequestBatch(records, count);
    std::vector<std::size_t> without;
    for (std::size_t i = 0; i < count; ++i) {
        const bool titled = ReadTitle(batch.Titles[i], records[i]);
        ReadVisibility(batch, i, records[i]);
        if (!titled && records[i].Exists) {
            without.push_back(i);
        }
    }
    std::vector<xcb_get_property_cookie_t> cookies(without.size());
    for (std::size_t i = 0; i < without.size(); ++i) {
        cookies[i] = RequestTitle(records[without[i]].Window, XCB_ATOM_WM_NAME);
    }
    for (std::size_t i = 0; i < without.size(); ++i) {
        ReadTitle(cookies[i], records[without[i]]);
    }
}

// The record of the window the pass is looking at, or a fresh read of any other.
const WindowRecord& RecordOf(HWND handle, WindowRecord& scratch) {
    const xcb_window_t window = WindowOf(handle);
    if (Current < Records.size() && Records[Current].Window == window) {
        return Records[Current];
    }
    FetchRecord(window, scratch);
    return scratch;
}

}  // namespace

void FetchRecord(xcb_window_t window, WindowRecord& record) {
    record = WindowRecord();
    record.Window = window;
    LoadRecords(&record, 1);
}

void LoadWalk(const std::vector<xcb_window_t>& windows) {
    Records.assign(windows.size(), WindowRecord());
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Records[i].Window = windows[i];
    }
    LoadRecords(Records.data(), Records.size());
    Current = Records.size();
}

const WindowRecord* PresentWalkRecord(std::size_t index) {
    Current = index;
    return index < Records.size() ? &Records[index] : nullptr;
}

namespace Platform {

BOOL IsWindowVisible(HWND window) {
    WindowRecord scratch;
    const WindowRecord& record = RecordOf(window, scratch);
    // A minimised window is still visible, as it is on Windows.
    return record.Exists && (record.Mapped || record.WmState == IconicState);
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
