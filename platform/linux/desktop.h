// What a Linux desktop provides Drapeno, and what every desktop's walk
// shares. Each desktop's folder defines one Desktop::Operations table and
// includes, of the rest of platform/, only this header and, for a desktop on
// the session bus, the sd-bus binding beside it (linux/sd_bus.h).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace Desktop {

// A title as GetWindowTextA gives it: at most 255 bytes, never converted.
struct Title {
    std::size_t Length = 0;
    char Bytes[256] = {};

    void Assign(const char* bytes, std::size_t length) {
        Length = std::min(length, sizeof Bytes - 1);
        std::memcpy(Bytes, bytes, Length);
    }
};

// One desktop. Connect is tried in the chooser's order and is false when the
// session does not offer this desktop; a handle is valid until the next walk.
// MessageBoxA is null where the desktop has no box of its own.
struct Operations {
    bool (*Connect)() = nullptr;
    void (*Disconnect)() = nullptr;
    BOOL (*EnumWindows)(WNDENUMPROC callback, LPARAM value) = nullptr;
    BOOL (*IsWindowVisible)(HWND window) = nullptr;
    const Title& (*TitleOf)(HWND window) = nullptr;
    BOOL (*ShowWindow)(HWND window, int command) = nullptr;
    int (*MessageBoxA)(HWND owner, const char* text, const char* caption, UINT type) = nullptr;
};

// A desktop that is there but cannot serve this run, and has said why in a
// line of its own on standard error, tells the chooser, which then adds no
// line of its own.
void HasExplained();

// A desktop that took the connection but did not answer it in time tells
// the chooser, which goes on to the next one: a slow desktop must not make a
// run end as if there were nothing to act on, so a run that then acts on no
// window ends with the line below.
void DidNotAnswer();

// The line of a run whose desktop did not answer in time, said once: by the
// chooser, or by the deadline's cut.
constexpr char NoAnswerLine[] = "Drapeno: the desktop did not answer in time\n";

// The one line for a hide the desktop will not carry out: the window stays as
// it was, and the run says so rather than pass the refusal off as done.
inline void SayHideRefused() {
    static_cast<void>(std::fputs("Drapeno: this desktop does not let other programs hide windows\n", stderr));
}

// Calls the callback with each record, in order, until it returns 0; a
// handle points at its record.
template <typename Record>
BOOL PresentEach(std::vector<Record>& records, WNDENUMPROC callback, LPARAM value) {
    for (Record& record : records) {
        if (callback(reinterpret_cast<HWND>(&record), value) == 0) {
            return 0;
        }
    }
    return 1;
}

template <typename Record>
const Record& RecordOf(HWND window) {
    return *reinterpret_cast<const Record*>(window);
}

// The whole run ends by its deadline, a few seconds after it started, with
// exit code 0 (the usage box, once shown, waits for its user instead). A wait
// gets at most its own patience, and never more than the run has left.
constexpr int RunMilliseconds = 3000;
constexpr int Patience = 2000;  // milliseconds, for one answer of a desktop

void StartDeadline();
// Milliseconds until the earlier of now + patience and the deadline; 0 once
// the deadline has passed.
int MillisecondsLeft(int patience = Patience);
// The usage box is up: from now on the run waits for its user.
void LiftDeadline();

}  // namespace Desktop
