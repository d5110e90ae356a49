// Times Drapeno.exe against the floor program on a desktop of N windows of
// its own, runs alternating, and prints one table row per kind of run.
// Usage: bench_runner N ROUNDS DRAPENO FLOOR
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

HWND Target = nullptr;
std::vector<HWND> Ours;

void PumpMessages() {
    MSG message = {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// Milliseconds from CreateProcess to the child's exit. The child hides or
// shows our windows through our message queue, so we keep pumping.
double TimeRun(const std::string& exe, const std::string& argument) {
    std::string line = "\"" + exe + "\" \"" + argument + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    LARGE_INTEGER start = {}, end = {}, frequency = {};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start %s\n", exe.c_str());
        std::exit(1);
    }
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        PumpMessages();
    }
    QueryPerformanceCounter(&end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

BOOL CALLBACK FindLastOfOurs(HWND window, LPARAM last) {
    if (std::find(Ours.begin(), Ours.end(), window) != Ours.end()) {
        *reinterpret_cast<HWND*>(last) = window;
    }
    return TRUE;
}

HWND LastOfOurs() {
    HWND last = nullptr;
    EnumWindows(FindLastOfOurs, reinterpret_cast<LPARAM>(&last));
    return last;
}

// Puts the target into its state before a run, at the bottom of the stacking
// order. Wine moves a window that is shown or hidden to the top, where every
// pass would find it first, and sometimes only once its messages are handled:
// so it is moved down until it stays there.
void PrepareTarget(bool visible) {
    ShowWindow(Target, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    for (int tries = 0; tries < 20; ++tries) {
        SetWindowPos(Target, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Sleep(tries);
        PumpMessages();
        if (LastOfOurs() == Target) {
            return;
        }
    }
    std::fprintf(stderr, "the target is not the window EnumWindows presents last\n");
    std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_runner N ROUNDS DRAPENO FLOOR\n");
        return 2;
    }
    const int windows = std::atoi(argv[1]);
    const int rounds = std::atoi(argv[2]);
    const std::string tool = argv[3], floor = argv[4];

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DrapenoBench";
    RegisterClassA(&windowClass);
    for (int i = 0; i < windows; ++i) {
        char title[32] = {};
        std::snprintf(title, sizeof title, "Bench window %04d", i);
        Ours.push_back(CreateWindowExA(0, "DrapenoBench", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                       i % 50 * 10, i % 40 * 10, 200, 100, nullptr, nullptr,
                                       windowClass.hInstance, nullptr));
    }
    PumpMessages();
    Target = LastOfOurs();  // the worst case: the match comes last
    char title[256] = {};
    GetWindowTextA(Target, title, sizeof title);

    struct Kind {
        const char* Name;
        std::string Argument;
        bool Before;   // the target's visibility made before each run
        bool Visible;  // the target's state expected after it
    };
    const Kind kinds[] = {
        {"hide", std::string("-h=") + title, true, false},
        {"show", std::string("-s=") + title, false, true},
        {"no match", "-h=No such window", true, true},
    };
    for (const Kind& kind : kinds) {
        std::vector<double> toolTimes, floorTimes, ratios;
        int wrong = 0;
        for (int round = -1; round < rounds; ++round) {  // round -1 warms the caches up
            double pair[2] = {};
            for (int side = 0; side < 2; ++side) {
                PrepareTarget(kind.Before);
                pair[side] = TimeRun(side == 0 ? tool : floor, kind.Argument);
                wrong += (IsWindowVisible(Target) != FALSE) != kind.Visible;
            }
            if (round < 0) {
                continue;
            }
            toolTimes.push_back(pair[0]);
            floorTimes.push_back(pair[1]);
            ratios.push_back(pair[0] / pair[1]);
        }
        std::printf("| %d | %s | %.1f | %.1f | %.3f |%s\n", windows, kind.Name, Median(toolTimes),
                    Median(floorTimes), Median(ratios), wrong ? " WRONG RESULT" : "");
        std::fflush(stdout);
    }
    return 0;
}
