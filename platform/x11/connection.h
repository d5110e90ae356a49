// What the parts of the X11 implementation share: the one connection, the
// atoms it uses, and the record the walk keeps of each top-level window.
#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

// The atoms used, interned once when the connection opens, in this order;
// their names are in connection.cpp.
// clang-format off
enum AtomIndex {
    WmState, WmProtocols, WmDeleteWindow, Utf8String, NetWmName, NetWmState, NetWmStateMaximizedVert,
    NetWmStateMaximizedHorz, NetWmStateFullscreen, NetWmStateHidden, NetActiveWindow, NetSupported,
    NetClientList, NetClientListStacking, NetSupportingWmCheck, NetFrameExtents, NetWmWindowType,
    NetWmWindowTypeDialog, MotifWmHints, DrapenoPlacement, DrapenoMessage, AtomCount
};
// clang-format on

// ICCCM WM_STATE values.
constexpr std::uint32_t WithdrawnState = 0;
constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;

// A window may be destroyed by its owner at any moment; the server then
// answers a request about it with an error, which reads as a null reply.
// Errors are never printed: those not taken through a reply wait in the event
// queue, which only the usage box reads, and passes over.
extern xcb_connection_t* Connection;
extern xcb_screen_t* Screen;
extern xcb_atom_t Atoms[AtomCount];
// A window manager holds SubstructureRedirect on the root.
extern bool WindowManagerRuns;

// One top-level window as the walk found it. A handle points at its record.
struct WindowRecord {
    xcb_window_t Window = XCB_WINDOW_NONE;
    bool Managed = false;  // in the window manager's client list
    bool Exists = true;
    bool Mapped = false;
    std::uint32_t State = WithdrawnState;  // WM_STATE
    std::size_t TitleLength = 0;
    char Title[256] = {};  // at most 255 bytes
};

// As on Windows, a minimised window, or one on another workspace, is still
// visible; a window the window manager has let go of is so only if mapped.
inline bool CountsAsVisible(const WindowRecord& record) {
    const bool kept = record.Managed && (record.State == NormalState || record.State == IconicState);
    return record.Mapped || kept;
}

inline const WindowRecord& RecordOf(HWND window) {
    return *reinterpret_cast<const WindowRecord*>(window);
}

xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words);

// A property of 32-bit items (windows, atoms, cardinals), as long as the
// request asked for at most; empty when it or its window is absent.
std::vector<std::uint32_t> ReadItems(xcb_get_property_cookie_t cookie);

// Sends a client message about window to the window manager.
void AskWindowManager(xcb_window_t window, xcb_atom_t type, std::uint32_t a, std::uint32_t b,
                      std::uint32_t c);
