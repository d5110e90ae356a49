// Drapeno's window-system operations under GNOME Shell on Wayland, through
// Drapeno's own GNOME Shell extension, which offers the windows on the session
// bus. Windows come topmost first; hidden means minimised and out of Alt+Tab
// and the overview.
#pragma once

#include "platform/linux/desktop.h"

namespace GNOME {

extern const Desktop::Operations Operations;

}  // namespace GNOME
