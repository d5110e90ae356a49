// Real windows for the end-to-end tests, with the titles, visibility and
// stacking order a case gives.
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
TestWindow ParseWindow(const char* description);

// Creates the windows, top-level ones stacked in the given order.
void CreateTestWindows(std::vector<TestWindow>& windows);

// The indices of the top-level windows, in the order EnumWindows presents them now.
std::vector<std::size_t> EnumerationOrder(const std::vector<TestWindow>& windows);

// Prints a failure and returns false.
bool Fail(const char* format, ...);
