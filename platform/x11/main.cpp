// Entry of the Linux build: the shell has split the words already, so they are
// recorded for GetCommandLineA before the core runs.
#include <cstdio>

#include "app/drapeno.h"
#include "platform/x11/command_line.h"
#include "platform/x11/x11.h"

int main(int argc, char** argv) {
    RecordCommandLine(argc, argv);
    if (!OpenDisplay()) {
        std::fputs("Drapeno: cannot open display\n", stderr);
        return 0;
    }
    RunDrapeno();
    return 0;
}
