// The Linux desktop Drapeno talks to, chosen once when it starts, and the
// window-system operations handed to it. Wayland has no interface common to
// all compositors: each family that offers a way in is a desktop of its own,
// tried first; X11 (XWayland's windows, on a Wayland desktop) comes last.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gnome/gnome.h"
#include "platform/kwin/kwin.h"
#include "platform/linux/command_line.h"
#include "platform/linux/desktop.h"
#include "platform/platform.h"
#include "platform/start.h"
#include "platform/sway/sway.h"
#include "platform/wlroots/wlroots.h"
#include "platform/x11/x11.h"

namespace {

// In the order they are tried: the first that connects is the session's.
// wlroots comes before KWin, which offers no foreign-toplevel manager, as
// looking for KWin's bus costs labwc's runs a library to load.
const Desktop::Operations* const Desktops[] = {&Sway::Operations, &Wlroots::Operations, &KWin::Operations,
                                               &GNOME::Operations, &X11::Operations};

const Desktop::Operations* Chosen = nullptr;
bool Explained = false;   // a desktop has said why it cannot serve this run
bool BoxOnX11 = false;    // a Wayland desktop's usage box, through XWayland
bool Unanswered = false;  // a desktop was passed over: it did not answer in time
bool Acted = false;       // a window was hidden or shown, or the usage given

// The usage where there is no box to show it in: on standard error, as a
// terminal wants it. Nothing is done if standard error is closed.
void UsageOnStandardError(const char* text) {
    for (const char* byte = text; *byte != '\0'; ++byte) {
        if (*byte != '\r') {
            static_cast<void>(std::fputc(*byte, stderr));
        }
    }
    static_cast<void>(std::fputc('\n', stderr));
}

}  // namespace

void Desktop::HasExplained() {
    Explained = true;
}

// Only while the desktop is being chosen: later waits say their own lines.
void Desktop::DidNotAnswer() {
    Unanswered = Unanswered || Chosen == nullptr;
}

void StartWindowSystem(int argc, const char* const* argv) {
    RecordCommandLine(argc, argv);
    Desktop::StartDeadline();
    for (const Desktop::Operations* desktop : Desktops) {
        if (desktop->Connect()) {
            Chosen = desktop;
            return;
        }
    }
}

namespace Platform {

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    if (Chosen == nullptr) {
        if (!Explained && !Unanswered) {
            static_cast<void>(
                std::fputs("Drapeno: this desktop offers no way to hide or show windows\n", stderr));
        }
        return 1;
    }
    return Chosen->EnumWindows(callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return Chosen->IsWindowVisible(window);
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const Desktop::Title& title = Chosen->TitleOf(window);
    const std::size_t copied = std::min(title.Length, static_cast<std::size_t>(maxCount) - 1);
    std::memcpy(buffer, title.Bytes, copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

BOOL ShowWindow(HWND window, int command) {
    Acted = true;
    return Chosen->ShowWindow(window, command);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    Acted = true;
    if (Chosen != nullptr && Chosen->MessageBoxA != nullptr) {
        return Chosen->MessageBoxA(owner, text, caption, type);
    }
    BoxOnX11 = X11::Operations.Connect();
    if (BoxOnX11) {
        return X11::Operations.MessageBoxA(owner, text, caption, type);
    }
    UsageOnStandardError(text);
    return 1;  // IDOK
}

void ExitProcess(UINT exitCode) {
    // A desktop that said why it was passed over has said it all: one line.
    if (Unanswered && !Acted && !Explained) {
        static_cast<void>(std::fputs(Desktop::NoAnswerLine, stderr));
    }
    if (Chosen != nullptr) {
        Chosen->Disconnect();
    }
    if (BoxOnX11) {
        X11::Operations.Disconnect();
    }
    std::exit(static_cast<int>(exitCode));
}

}  // namespace Platform
