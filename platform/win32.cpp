// The window-system operations on the Windows desktop: user32 and kernel32.
#include <windows.h>

#include "platform/platform.h"

namespace Platform {

const char* GetCommandLineA() {
    return ::GetCommandLineA();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    return ::EnumWindows(callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return ::IsWindowVisible(window);
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    return ::GetWindowTextA(window, buffer, maxCount);
}

BOOL ShowWindow(HWND window, int command) {
    return ::ShowWindow(window, command);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

void ExitProcess(UINT exitCode) {
    ::ExitProcess(exitCode);
}

}  // namespace Platform
