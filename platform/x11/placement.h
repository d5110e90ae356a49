// What a window keeps across a hide and a show, and the waits for a window
// manager to carry out what it was asked.
#pragma once

#include "platform/x11/connection.h"

namespace X11 {

constexpr int SettleTries = 100;  // 5 ms apart: how long a window manager may take

void Pause();
void LeaveFullStates(xcb_window_t window);
void Unmaximise(xcb_window_t window);         // waits until the normal size is back
void RememberPlacement(xcb_window_t window);  // into _DRAPENO_PLACEMENT
void PrepareMap(xcb_window_t window);         // states, hints and place of a withdrawn window

}  // namespace X11
