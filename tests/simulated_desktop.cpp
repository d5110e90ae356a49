#include "tests/simulated_desktop.h"

#include <cstdint>
#include <cstring>

SimulatedDesktop Desktop;

void SimulateDesktop(const std::string& commandLine, const std::vector<SimulatedWindow>& windows) {
    Desktop = SimulatedDesktop();
    Desktop.CommandLine = commandLine;
    Desktop.Windows = windows;
}

HWND SimulatedHandle(std::size_t index) {
    // Handles are opaque to the core, so a window's index serves as its handle.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(index + 1));
}

namespace {

SimulatedWindow* WindowOf(HWND handle) {
    const std::size_t index = reinterpret_cast<std::uintptr_t>(handle) - 1;
    return index < Desktop.Windows.size() ? &Desktop.Windows[index] : nullptr;
}

}  // namespace

namespace Platform {

const char* GetCommandLineA() {
    return Desktop.CommandLine.c_str();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    for (std::size_t i = 0; i < Desktop.Windows.size(); ++i) {
        if (!callback(SimulatedHandle(i), value)) {
            return 0;
        }
    }
    return 1;
}

BOOL IsWindowVisible(HWND window) {
    const SimulatedWindow* simulated = WindowOf(window);
    return static_cast<BOOL>(simulated != nullptr && simulated->Visible);
}

int GetWindowTextA(HWND window, char* buffer, int maxCount) {
    const SimulatedWindow* simulated = WindowOf(window);
    if (simulated == nullptr || maxCount <= 0 || simulated->Read == TitleRead::Fails) {
        return 0;
    }
    const std::size_t room = static_cast<std::size_t>(maxCount);
    if (simulated->Read == TitleRead::Unterminated) {
        std::memset(buffer, 'x', room);
        return maxCount;
    }
    const std::size_t length = simulated->Title.size() < room ? simulated->Title.size() : room - 1;
    std::memcpy(buffer, simulated->Title.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

BOOL ShowWindow(HWND window, int command) {
    SimulatedWindow* simulated = WindowOf(window);
    if (simulated == nullptr) {
        return 0;
    }
    Desktop.ShowWindowCalls.push_back({reinterpret_cast<std::uintptr_t>(window) - 1, command});
    const BOOL wasVisible = static_cast<BOOL>(simulated->Visible);
    simulated->Visible = command != SW_HIDE;
    return wasVisible;
}

// cppcheck-suppress constParameter ; the signature is the platform's
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    Desktop.MessageBoxCalls.push_back({owner != nullptr, text, caption, type});
    return 1;  // IDOK
}

void ExitProcess(UINT exitCode) {
    Desktop.ExitCodes.push_back(exitCode);
}

}  // namespace Platform
