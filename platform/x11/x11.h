// Drapeno's window-system operations on an X11 display, over XCB.
#pragma once

#include "platform/platform.h"

namespace X11 {

// Connects to the display named by DISPLAY; false when there is none.
bool Connect();

// Waits until the server has carried out every request sent, then disconnects.
void Disconnect();

// Top-level windows, topmost first: the clients of the window manager in its
// stacking order, where its frames stand, and the windows it does not manage
// where they stand themselves. A handle is valid until the walk ends.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);
BOOL IsWindowVisible(HWND window);
int GetWindowTextA(HWND window, char* buffer, int maxCount);
BOOL ShowWindow(HWND window, int command);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace X11
