// The usage message box of a real Drapeno.exe, found by its process id.
#pragma once

#include <string>

// Starts Drapeno.exe with the command line, finds its box, checks caption,
// text and the lone OK button while Drapeno still runs, presses OK, and
// checks that Drapeno then ends with exit code 0.
bool CheckUsageBox(const std::string& commandLine);
