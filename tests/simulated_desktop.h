// A scripted desktop behind the seven window-system operations: a command
// line, an ordered list of top-level windows, and a record of every effect.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

enum class TitleRead {
    Works,
    Fails,         // GetWindowTextA fails and leaves the buffer untouched
    Unterminated,  // a faulty platform fills the whole buffer without a NUL
};

struct SimulatedWindow {
    std::string Title;
    bool Visible = true;
    TitleRead Read = TitleRead::Works;
};

struct ShowWindowCall {
    std::size_t Window = 0;  // index in Windows
    int Command = -1;
    bool operator==(const ShowWindowCall& other) const {
        return Window == other.Window && Command == other.Command;
    }
};

struct MessageBoxCall {
    bool HasOwner = false;
    std::string Text;
    std::string Caption;
    UINT Type = 0;
};

struct SimulatedDesktop {
    std::string CommandLine;
    std::vector<SimulatedWindow> Windows;
    std::vector<ShowWindowCall> ShowWindowCalls;
    std::vector<MessageBoxCall> MessageBoxCalls;
    std::vector<UINT> ExitCodes;
};

// The desktop the operations act on; tests set it up before each run.
extern SimulatedDesktop Desktop;

void SimulateDesktop(const std::string& commandLine, const std::vector<SimulatedWindow>& windows);

HWND SimulatedHandle(std::size_t index);
