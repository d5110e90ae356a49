// Real windows and a real Drapeno.exe for the end-to-end tests: this program
// owns the windows, so it handles the messages through which Drapeno hides or
// shows them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A text written in ASCII: %XX is the byte 0xXX, and B%{N} is the byte B N
// times, so any byte and very long texts fit in a test's arguments.
std::string Decode(const char* text);

struct TestWindow {
    std::string Title;
    HWND Handle = nullptr;
    bool Visible = false;  // before Drapeno runs; a hidden one was minimised first
    bool Matches = false;  // the command's title is this window's title
    bool Child = false;    // a child of the top-level window before it
    bool Wide = false;     // Title is UTF-8, created through the W calls
};

// "FLAGS:TITLE". Flags: v visible or h hidden, * matches, c child, w wide.
TestWindow ParseWindow(const char* spec);

// Creates the windows, top-level ones stacked in the given order.
void CreateTestWindows(std::vector<TestWindow>& windows);

// The indices of the top-level windows, in the order EnumWindows presents them now.
std::vector<std::size_t> EnumerationOrder(const std::vector<TestWindow>& windows);

// Starts the Drapeno.exe beside this program with exactly this command line.
PROCESS_INFORMATION StartDrapeno(std::string commandLine);

// Handles this thread's messages for the given time, or until process ends
// if one is given; returns whether it ended.
bool Pump(DWORD milliseconds, HANDLE process = nullptr);

// Prints a failure and returns false.
bool Fail(const char* format, ...);
