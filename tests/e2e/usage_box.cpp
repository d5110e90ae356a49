#include "tests/e2e/usage_box.h"

#include <cstring>
#include <string>

#include "app/drapeno.h"
#include "tests/e2e/drapeno_run.h"
#include "tests/e2e/test_windows.h"

namespace {

struct BoxSearch {
    DWORD ProcessId;
    HWND Box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM value) {
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(value);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == search.ProcessId && IsWindowVisible(window) && std::strcmp(className, "#32770") == 0) {
        search.Box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectButtons(HWND child, LPARAM value) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (IsWindowVisible(child) && lstrcmpiA(className, "Button") == 0) {
        reinterpret_cast<std::string*>(value)->push_back(static_cast<char>(GetDlgCtrlID(child)));
    }
    return TRUE;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? length : 0);
}

}  // namespace

bool CheckUsageBox(const std::string& commandLine) {
    const PROCESS_INFORMATION drapeno = StartDrapeno(commandLine);
    BoxSearch search = {drapeno.dwProcessId, nullptr};
    for (int tries = 0; tries < 200 && search.Box == nullptr; ++tries) {
        Pump(100);
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    }
    if (search.Box == nullptr) {
        TerminateProcess(drapeno.hProcess, 1);
        return Fail("no message box of Drapeno's process appeared");
    }
    bool passed = true;
    if (WaitForSingleObject(drapeno.hProcess, 0) != WAIT_TIMEOUT) {
        passed = Fail("Drapeno ended while its box was up");
    }
    if (TextOf(search.Box) != "Drapeno") {
        passed = Fail("caption: \"%s\"", TextOf(search.Box).c_str());
    }
    // The text control of a message box has the id 0xFFFF.
    if (TextOf(GetDlgItem(search.Box, 0xFFFF)) != UsageText) {
        passed = Fail("text:\n%s", TextOf(GetDlgItem(search.Box, 0xFFFF)).c_str());
    }
    std::string buttons;
    EnumChildWindows(search.Box, CollectButtons, reinterpret_cast<LPARAM>(&buttons));
    if (buttons != std::string(1, IDOK)) {
        passed = Fail("%zu buttons, not OK alone", buttons.size());
    }
    // Press OK as a user would, then the process must end on its own.
    PostMessageA(GetDlgItem(search.Box, IDOK), BM_CLICK, 0, 0);
    DWORD exitCode = 1;
    if (!Pump(10000, drapeno.hProcess)) {
        TerminateProcess(drapeno.hProcess, 1);
        passed = Fail("Drapeno still running 10 s after OK was pressed");
    } else if (GetExitCodeProcess(drapeno.hProcess, &exitCode) && exitCode != 0) {
        passed = Fail("exit code %lu", exitCode);
    }
    CloseHandle(drapeno.hThread);
    CloseHandle(drapeno.hProcess);
    return passed;
}
