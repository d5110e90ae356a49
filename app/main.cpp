// Both entries of Drapeno: one run, one decision, exit code 0 on every path.
#include "app/drapeno.h"

#if defined(_WIN32)
// Windows starts the process here, not in the C runtime's start-up: Drapeno
// needs no heap, no stdio and no static constructors, and RunDrapeno ends the
// process itself, so the runtime would only add size and start-up time.
extern "C" void DrapenoStart() {
    RunDrapeno();
}
#else
#include "platform/start.h"

int main(int argc, char** argv) {
    StartWindowSystem(argc, argv);
    RunDrapeno();
    return 0;
}
#endif
