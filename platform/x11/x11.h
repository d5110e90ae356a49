// Drapeno's window-system operations on an X11 display, over XCB: the display
// DISPLAY names. Top-level windows come topmost first, as the server stacks
// them; a window manager's client stands where its frame stands.
#pragma once

#include "platform/linux/desktop.h"

namespace X11 {

extern const Desktop::Operations Operations;

}  // namespace X11
