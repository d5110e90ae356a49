// The program's whole control flow: one look at the command line, one outcome,
// then the end of the process.
#pragma once

#include <string_view>

// The first two bytes of argument 1 (fewer if it is shorter).
extern std::string_view SwitchText;

// The usage text shown when Drapeno is started without arguments: eight lines
// joined by CR LF, with no line break after the last.
extern const std::string_view UsageText;

void ShowUsage();

// Splits the command line, shows the usage, or runs the pass the switch names,
// then ends the process with exit code 0 on every path.
void RunDrapeno();
