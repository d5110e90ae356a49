// Shared by the test helper's commands: the connection and window making.
#pragma once

#include <xcb/xcb.h>

#include <string>
#include <vector>

extern xcb_connection_t* Connection;
extern xcb_screen_t* Screen;

xcb_atom_t Atom(const char* name);
void SetText(xcb_window_t window, xcb_atom_t property, const std::string& text);
bool WindowManagerRuns();

// A 200x100 window, placed by n, with the given _NET_WM_NAME and WM_NAME (empty: none).
xcb_window_t Create(xcb_window_t parent, int n, const std::string& net, const std::string& legacy);

// Waits until the window manager has taken in every window (in the Normal state
// if normal is asked for), or 20 s.
void AwaitManaged(const std::vector<xcb_window_t>& mapped, bool normal);

// Plays a window manager whose client list lies (helper_liar.cpp); never returns.
void Lie(const std::string& title);
