// Drives a real Drapeno.exe against real windows.
//   drapeno_e2e hide|show|hide-unanswered COMMAND WINDOW...
//       creates the windows (see ParseWindow), runs Drapeno.exe with the raw
//       COMMAND, and checks every window afterwards
//   drapeno_e2e usage COMMAND      checks the usage box
//   drapeno_e2e visible TITLE      prints whether a window so titled is visible
// COMMAND and titles are written as Decode reads them. Exit code 0: passed.
#include <cstdio>
#include <cstring>

#include "tests/e2e/drapeno_run.h"
#include "tests/e2e/test_windows.h"
#include "tests/e2e/usage_box.h"

namespace {

// The window the pass must act on: the first one marked as matching, in the
// order EnumWindows presents them, and for a hide a visible one.
std::size_t ExpectedTarget(const std::vector<TestWindow>& windows, bool hide) {
    for (const std::size_t i : EnumerationOrder(windows)) {
        if (windows[i].Matches && (windows[i].Visible || !hide)) {
            return i;
        }
    }
    return windows.size();
}

bool RunDrapeno(const std::string& commandLine, bool hide, bool unanswered,
                std::vector<TestWindow>& windows) {
    CreateTestWindows(windows);
    const std::size_t target = ExpectedTarget(windows, hide);
    const PROCESS_INFORMATION drapeno = StartDrapeno(commandLine);
    bool passed = true;
    if (unanswered) {
        // Not handling messages while Drapeno runs, as a hung program would.
        if (WaitForSingleObject(drapeno.hProcess, 8000) != WAIT_OBJECT_0) {
            passed = Fail("Drapeno still running after 8 s while the window's owner did not answer");
        }
        // The change arrives once the owner handles its messages again.
        for (int tries = 0; tries < 50 && target < windows.size(); ++tries) {
            if ((IsWindowVisible(windows[target].Handle) != 0) != hide) {
                break;
            }
            Pump(100);
        }
    }
    if (!Pump(20000, drapeno.hProcess)) {
        TerminateProcess(drapeno.hProcess, 1);
        return Fail("Drapeno still running after 20 s");
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(drapeno.hProcess, &exitCode);
    if (exitCode != 0) {
        passed = Fail("exit code %lu", exitCode);
    }
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const TestWindow& window = windows[i];
        const bool visible = i == target ? !hide : window.Visible;
        if ((IsWindowVisible(window.Handle) != 0) != visible) {
            passed =
                Fail("window %zu (%.40s) is %s", i, window.Title.c_str(), visible ? "hidden" : "visible");
        }
        if (i == target && !hide && (IsIconic(window.Handle) || IsZoomed(window.Handle))) {
            passed = Fail("window %zu shown but not in its normal size", i);
        }
    }
    CloseHandle(drapeno.hThread);
    CloseHandle(drapeno.hProcess);
    return passed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "visible") == 0) {
        const HWND window = FindWindowA(nullptr, Decode(argv[2]).c_str());
        std::puts(window == nullptr ? "no window" : IsWindowVisible(window) ? "visible" : "hidden");
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "usage") == 0) {
        return CheckUsageBox(Decode(argv[2])) ? 0 : 1;
    }
    const std::string pass = argc >= 3 ? argv[1] : "";
    if (pass != "hide" && pass != "show" && pass != "hide-unanswered") {
        std::fputs("usage: drapeno_e2e hide|show|hide-unanswered|usage|visible COMMAND [WINDOW...]\n",
                   stderr);
        return 2;
    }
    std::vector<TestWindow> windows;
    for (int i = 3; i < argc; ++i) {
        windows.push_back(ParseWindow(argv[i]));
    }
    return RunDrapeno(Decode(argv[2]), pass != "show", pass == "hide-unanswered", windows) ? 0 : 1;
}
