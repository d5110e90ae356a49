// What a window keeps across a hide and a show, and its leaving of the
// maximised and full-screen states.
#pragma once

#include "platform/x11/connection.h"

namespace X11 {

void LeaveFullStates(xcb_window_t window);    // those it is in
void Unmaximise(xcb_window_t window);         // waits until the normal size is back
void RememberPlacement(xcb_window_t window);  // into _DRAPENO_PLACEMENT
void PrepareMap(xcb_window_t window);         // states, hints and place of a withdrawn window

}  // namespace X11
