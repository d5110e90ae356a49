#include "tests/e2e/drapeno_run.h"

#include <cstdio>
#include <cstdlib>

#include "tests/e2e/test_windows.h"

PROCESS_INFORMATION StartDrapeno(std::string commandLine) {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string program(path, length);
    program = program.substr(0, program.find_last_of('\\') + 1) + "Drapeno.exe";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    for (int start = 1;; ++start) {
        if (CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                           &startup, &process)) {
            return process;
        }
        const DWORD error = GetLastError();
        // Wine gives ERROR_INTERNAL_ERROR when the new process ended before it
        // told the wineserver it was up, which its Unix side does before it
        // runs any code of the program: Drapeno has not run, so starting it
        // again repeats nothing. Every other error fails the case at once.
        if (error != ERROR_INTERNAL_ERROR || start > 2) {
            Fail("cannot start %s: error %lu", program.c_str(), error);
            std::exit(1);
        }
        std::fprintf(stderr, "Wine's start of %s failed (error %lu) before Drapeno ran: starting it again\n",
                     program.c_str(), error);
    }
}

bool Pump(DWORD milliseconds, HANDLE process) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        MSG message = {};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) {
            return process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        }
        const DWORD count = process != nullptr ? 1 : 0;
        if (MsgWaitForMultipleObjects(count, &process, FALSE, end - now, QS_ALLINPUT) == WAIT_OBJECT_0 &&
            count == 1) {
            return true;
        }
    }
}
