// A real Drapeno.exe, run while this program handles the messages of its
// windows.
#pragma once

#include <windows.h>

#include <string>

// Starts the Drapeno.exe beside this program with exactly this command line.
PROCESS_INFORMATION StartDrapeno(std::string commandLine);

// Handles this thread's messages for the given time, or until process ends
// if one is given; returns whether it ended.
bool Pump(DWORD milliseconds, HANDLE process = nullptr);
