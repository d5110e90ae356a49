// The Linux desktop Drapeno talks to, chosen once when it starts, and the
// window-system operations handed to it. Wayland has no interface common to
// all compositors: each family that offers a way in has its own backend, and
// X11 (XWayland's windows, on a Wayland desktop) comes after them.
#include <cstdio>
#include <cstdlib>

#include "platform/kwin/kwin.h"
#include "platform/linux/command_line.h"
#include "platform/platform.h"
#include "platform/start.h"
#include "platform/sway/sway.h"
#include "platform/x11/x11.h"

namespace {

enum class Desktop { None, Sway, KWin, X11 };

Desktop Chosen = Desktop::None;

// A Wayland desktop shows the usage box through XWayland where there is one;
// otherwise the usage goes to standard error, as a terminal wants it.
int UsageWithoutBox(HWND owner, const char* text, const char* caption, UINT type) {
    if (X11::Connect()) {
        return X11::MessageBoxA(owner, text, caption, type);
    }
    // Nothing is done if standard error is closed: the run ends quietly.
    for (const char* byte = text; *byte != '\0'; ++byte) {
        if (*byte != '\r') {
            static_cast<void>(std::fputc(*byte, stderr));
        }
    }
    static_cast<void>(std::fputc('\n', stderr));
    return 1;  // IDOK
}

// KWin is asked only in a Wayland session: on X11 (kwin_x11 included) the
// X11 backend reaches every window, and a run spares the bus round trips.
bool InWaylandSession() {
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return display != nullptr && *display != '\0';
}

}  // namespace

bool StartWindowSystem(int argc, const char* const* argv) {
    RecordCommandLine(argc, argv);
    if (Sway::Connect()) {
        Chosen = Desktop::Sway;
    } else if (InWaylandSession() && KWin::Connect()) {
        Chosen = Desktop::KWin;
    } else if (X11::Connect()) {
        Chosen = Desktop::X11;
    } else {
        static_cast<void>(
            std::fputs("Drapeno: this desktop offers no way to hide or show windows\n", stderr));
        return false;
    }
    return true;
}

namespace Platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    switch (Chosen) {
        case Desktop::Sway:
            return Sway::EnumWindows(callback, value);
        case Desktop::KWin:
            return KWin::EnumWindows(callback, value);
        case Desktop::X11:
            return X11::EnumWindows(callback, value);
        case Desktop::None:
            break;
    }
    return 1;
}

BOOL IsWindowVisible(HWND window) {
    switch (Chosen) {
        case Desktop::Sway:
            return Sway::IsWindowVisible(window);
        case Desktop::KWin:
            return KWin::IsWindowVisible(window);
        case Desktop::X11:
            return X11::IsWindowVisible(window);
        case Desktop::None:
            break;
    }
    return 0;
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    switch (Chosen) {
        case Desktop::Sway:
            return Sway::GetWindowTextA(window, buffer, maxCount);
        case Desktop::KWin:
            return KWin::GetWindowTextA(window, buffer, maxCount);
        case Desktop::X11:
            return X11::GetWindowTextA(window, buffer, maxCount);
        case Desktop::None:
            break;
    }
    return 0;
}

BOOL ShowWindow(HWND window, int command) {
    switch (Chosen) {
        case Desktop::Sway:
            return Sway::ShowWindow(window, command);
        case Desktop::KWin:
            return KWin::ShowWindow(window, command);
        case Desktop::X11:
            return X11::ShowWindow(window, command);
        case Desktop::None:
            break;
    }
    return 0;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    switch (Chosen) {
        case Desktop::Sway:
        case Desktop::KWin:
            return UsageWithoutBox(owner, text, caption, type);
        case Desktop::X11:
            return X11::MessageBoxA(owner, text, caption, type);
        case Desktop::None:
            break;
    }
    return 0;
}

void ExitProcess(UINT exitCode) {
    switch (Chosen) {
        case Desktop::Sway:
            Sway::Disconnect();
            break;
        case Desktop::KWin:
            KWin::Disconnect();
            break;
        case Desktop::X11:
        case Desktop::None:
            break;
    }
    X11::Disconnect();  // the usage box may have opened it under Wayland too
    std::exit(static_cast<int>(exitCode));
}

}  // namespace Platform
