#include "winctl/passes.h"

#include "winctl/title.h"

namespace {

constexpr BOOL GoOn = 1;
constexpr BOOL Stop = 0;

// Windows with empty titles never match, so an empty target matches nothing.
bool HasTargetTitle(HWND window) {
    char buffer[TitleCapacity] = {};
    const std::string_view title = ReadWindowTitle(window, buffer);
    return !title.empty() && TitleMatches(title, TargetTitle);
}

}  // namespace

BOOL CALLBACK HideEnumProc(HWND window, LPARAM /*unused*/) {
    if (!Platform::IsWindowVisible(window) || !HasTargetTitle(window)) {
        return GoOn;
    }
    Platform::ShowWindow(window, SW_HIDE);
    return Stop;
}

BOOL CALLBACK ShowEnumProc(HWND window, LPARAM /*unused*/) {
    if (!HasTargetTitle(window)) {
        return GoOn;
    }
    // SW_SHOWNORMAL, not SW_SHOW: a window hidden while minimised comes back usable.
    Platform::ShowWindow(window, SW_SHOWNORMAL);
    return Stop;
}

void HidePass() {
    Platform::EnumWindows(HideEnumProc, 0);
}

void ShowPass() {
    Platform::EnumWindows(ShowEnumProc, 0);
}
