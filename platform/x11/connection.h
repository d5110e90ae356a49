// What the parts of the X11 implementation share: the one connection, the
// atoms it uses, and the record the walk keeps of each top-level window.
#pragma once

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/linux/desktop.h"

namespace X11 {

// A window may be destroyed by its owner at any moment; the server then
// answers a request about it with an error, which reads as a null reply.
// Errors are never printed: those not taken through a reply wait in the event
// queue, which only the usage box reads, and passes over.
extern xcb_connection_t* Connection;
extern xcb_screen_t* Screen;
extern int ScreenNumber;
extern xcb_ewmh_connection_t Ewmh;  // the connection with the EWMH atoms, Ewmh._NET_WM_NAME ...
extern bool WindowManagerRuns;      // it holds SubstructureRedirect on the root

// The atoms that are not EWMH's, interned with those.
enum AtomIndex { WmState, WmDeleteWindow, MotifWmHints, DrapenoPlacement, DrapenoMessage, AtomCount };
extern xcb_atom_t Atoms[AtomCount];

// ICCCM WM_STATE values.
constexpr std::uint32_t NormalState = 1;
constexpr std::uint32_t IconicState = 3;
constexpr std::uint32_t NoState = 0xFFFFFFFFU;  // none set at all

// One top-level window as the walk found it. A handle points at its record.
struct WindowRecord {
    xcb_window_t Window = XCB_WINDOW_NONE;
    bool Managed = false;  // in the window manager's client list
    bool Exists = true;
    bool Mapped = false;
    bool Unmanageable = false;      // override-redirect: no window manager ever takes it in
    std::uint32_t State = NoState;  // WM_STATE
    // Where it stands among the root's children, bottom to top; a client stands
    // where its frame does. -1 while not known, and for a client whose frame is
    // not found.
    int Place = -1;
    int Rank = -1;  // in the window manager's stacking list: orders the tabs of one frame
    xcb_window_t Climbing = XCB_WINDOW_NONE;  // a client's ancestor whose parent is asked next
    int Levels = 0;                           // of parents asked
    Desktop::Title Title;
};

// As on Windows, a minimised window, or one on another workspace, is still
// visible; a window the window manager has let go of is so only if mapped. A
// client it lists but has given no WM_STATE is its own (blackbox gives none to
// a window that starts minimised).
inline bool CountsAsVisible(const WindowRecord& record) {
    return record.Mapped || (record.Managed && (record.State == NormalState || record.State == IconicState ||
                                                record.State == NoState));
}

constexpr std::uint32_t MaxClients = 65536;  // windows read from a client list
constexpr int MaxFrameLevels = 8;            // between a client and its frame: window managers use one or two

xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property, std::uint32_t words);

// A property of 32-bit items (windows, atoms, cardinals), as long as the
// request asked for at most; empty when it or its window is absent.
std::vector<std::uint32_t> ReadItems(xcb_get_property_cookie_t cookie);

bool Connect();
void Disconnect();  // once the server has carried out every request sent
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);
BOOL IsWindowVisible(HWND window);
const Desktop::Title& TitleOf(HWND window);
BOOL ShowWindow(HWND window, int command);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace X11
