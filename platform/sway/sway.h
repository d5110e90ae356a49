// Drapeno's window-system operations under sway, over its IPC socket.
#pragma once

#include "platform/platform.h"

namespace Sway {

// Connects to the socket named by SWAYSOCK; false when it is unset or no one
// answers there.
bool Connect();
void Disconnect();

// Windows most recently focused first, those in the scratchpad last. A handle
// points at a record of the walk and is valid until the walk ends.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);
// True unless the window is in the scratchpad: one on another workspace is
// still shown there.
BOOL IsWindowVisible(HWND window);
int GetWindowTextA(HWND window, char* buffer, int maxCount);
BOOL ShowWindow(HWND window, int command);

}  // namespace Sway
