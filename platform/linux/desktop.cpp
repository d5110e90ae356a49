// The Linux desktop Drapeno talks to, chosen once when it starts, and the
// window-system operations handed to it.
#include <cstdio>
#include <cstdlib>

#include "platform/linux/command_line.h"
#include "platform/platform.h"
#include "platform/start.h"
#include "platform/x11/x11.h"

bool StartWindowSystem(int argc, const char* const* argv) {
    RecordCommandLine(argc, argv);
    if (X11::Connect()) {
        return true;
    }
    std::fputs("Drapeno: cannot open display\n", stderr);
    return false;
}

namespace Platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    return X11::EnumWindows(callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return X11::IsWindowVisible(window);
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    return X11::GetWindowTextA(window, buffer, maxCount);
}

BOOL ShowWindow(HWND window, int command) {
    return X11::ShowWindow(window, command);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return X11::MessageBoxA(owner, text, caption, type);
}

void ExitProcess(UINT exitCode) {
    X11::Disconnect();
    std::exit(static_cast<int>(exitCode));
}

}  // namespace Platform
