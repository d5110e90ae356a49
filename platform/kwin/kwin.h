// Drapeno's window-system operations under KWin (KDE Plasma on Wayland), by
// KWin scripts loaded over the session bus.
#pragma once

#include "platform/platform.h"

namespace KWin {

// Connects to the session bus; false when it is not there or KWin is not on it.
bool Connect();
void Disconnect();

// Windows topmost first. A handle points at a record of the walk and is valid
// until the walk ends.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);
// True unless Drapeno hid the window: minimised and out of the task bar, the
// pager and the window switcher. A window only minimised is visible.
BOOL IsWindowVisible(HWND window);
int GetWindowTextA(HWND window, char* buffer, int maxCount);
BOOL ShowWindow(HWND window, int command);

}  // namespace KWin
