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

// How long the owner of a window may take to answer before it counts as hung.
constexpr UINT AnswerTimeoutMilliseconds = 2000;

BOOL ShowWindow(HWND window, int command) {
    // ShowWindow on another program's window waits until that program handles
    // the request, so a hung program would hang Drapeno, and with it the hotkey
    // or task that started it. An owner that answers gets the change at once,
    // complete before Drapeno ends; a hung one gets it posted, to take effect
    // when it recovers.
    DWORD_PTR unused = 0;
    const LRESULT answered =
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, AnswerTimeoutMilliseconds, &unused);
    if (answered != 0) {
        return ::ShowWindow(window, command);
    }
    return ::ShowWindowAsync(window, command);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

void ExitProcess(UINT exitCode) {
    ::ExitProcess(exitCode);
}

}  // namespace Platform
