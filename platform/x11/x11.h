// Shared state of the X11 implementation of the window-system operations: the
// one connection, the atoms it uses, and the record of a top-level window.
#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

// Interned once when the connection opens, in this order.
enum AtomName {
    WM_STATE_ATOM,
    WM_PROTOCOLS_ATOM,
    WM_DELETE_WINDOW_ATOM,
    WM_CHANGE_STATE_ATOM,
    UTF8_STRING_ATOM,
    NET_WM_NAME_ATOM,
    NET_WM_STATE_ATOM,
    NET_WM_STATE_MAXIMIZED_VERT_ATOM,
    NET_WM_STATE_MAXIMIZED_HORZ_ATOM,
    NET_WM_STATE_FULLSCREEN_ATOM,
    NET_WM_STATE_HIDDEN_ATOM,
    NET_ACTIVE_WINDOW_ATOM,
    NET_SUPPORTED_ATOM,
    NET_CLIENT_LIST_ATOM,
    NET_WM_WINDOW_TYPE_ATOM,
    NET_WM_WINDOW_TYPE_DIALOG_ATOM,
    DRAPENO_MESSAGE_ATOM,
    AtomCount
};

// ICCCM WM_STATE values.
constexpr std::uint32_t WithdrawnState = 0;
constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;

// A window may be destroyed at any moment by its owner. The server then answers
// a request about it with an error instead of a reply: the reply reads as null
// and the window as gone. Errors are never printed; those not taken through a
// reply's error pointer wait in the event queue, which only the usage box reads
// (and passes over).
extern xcb_connection_t* Connection;
extern xcb_screen_t* Screen;
extern xcb_atom_t Atoms[AtomCount];

// Connects to the display named by DISPLAY and interns the atoms. False when
// there is no display to talk to.
bool OpenDisplay();

// What the passes ask about one top-level window.
struct WindowRecord {
    xcb_window_t Window = XCB_WINDOW_NONE;
    bool Exists = true;  // false once the server says the window is gone
    bool Mapped = false;
    std::uint32_t WmState = WithdrawnState;
    std::size_t TitleLength = 0;
    char Title[256] = {};  // at most 255 bytes, never NUL-ended here
};

// Reads the titles of the windows of a walk, in as few round trips as the
// window count allows.
void LoadWalk(const std::vector<xcb_window_t>& windows);

// Makes the walk's record at index the one the pass is looking at.
const WindowRecord* PresentWalkRecord(std::size_t index);

// A synchronous read of one record, for a handle the walk did not prefetch.
void FetchRecord(xcb_window_t window, WindowRecord& record);

// True when a window manager holds SubstructureRedirect on the root. The
// answer is asked for once, by the cookie of the root's attributes when the
// walk has sent that request itself.
bool WindowManagerRuns(const xcb_get_window_attributes_cookie_t* pending = nullptr);

// For each of the root's children (tops), the client window inside it when it
// is a window manager's frame; client[i] stays XCB_WINDOW_NONE otherwise. list
// is the window manager's _NET_CLIENT_LIST, possibly empty.
void FindClients(const std::vector<xcb_window_t>& tops, const std::vector<xcb_window_t>& list,
                 std::vector<xcb_window_t>& client);

inline xcb_window_t WindowOf(HWND handle) {
    return static_cast<xcb_window_t>(reinterpret_cast<std::uintptr_t>(handle));
}

inline HWND HandleOf(xcb_window_t window) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window));
}
