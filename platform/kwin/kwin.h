// Drapeno's window-system operations under KWin (KDE Plasma on Wayland), by
// KWin scripts loaded over the session bus. Windows come topmost first; hidden
// means minimised and out of the task bar, the pager and the window switcher.
#pragma once

#include "platform/linux/desktop.h"

namespace KWin {

extern const Desktop::Operations Operations;

}  // namespace KWin
