// The least code that does Drapeno's job, as the yardstick of the benchmark:
// start, one EnumWindows pass, hide or show the first window with the title
// (compared exactly), exit. No usage, no folding, no quoting rules.
#include <windows.h>

namespace {

const char* Title = "";

BOOL CALLBACK FloorEnumProc(HWND window, LPARAM command) {
    if (command == SW_HIDE && !IsWindowVisible(window)) {
        return TRUE;
    }
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    int i = 0;
    while (buffer[i] != '\0' && buffer[i] == Title[i]) {
        ++i;
    }
    if (buffer[i] != Title[i] || buffer[0] == '\0') {
        return TRUE;
    }
    ShowWindow(window, static_cast<int>(command));
    return FALSE;
}

}  // namespace

// Expects `floor "-h=Title"` or `floor "-s=Title"`.
extern "C" void FloorStart() {
    char* line = GetCommandLineA();
    while (*line != '\0' && *line != '=') {
        ++line;
    }
    const LPARAM command = (*line != '\0' && line[-1] == 's') ? SW_SHOWNORMAL : SW_HIDE;
    if (*line == '=') {
        ++line;
    }
    char* end = line;
    while (*end != '\0' && *end != '"') {
        ++end;
    }
    *end = '\0';
    Title = line;
    EnumWindows(FloorEnumProc, command);
    ExitProcess(0);
}
