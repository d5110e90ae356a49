// The run's one deadline. Waits on a socket are bounded by MillisecondsLeft;
// a wait that cannot be bounded that way (a reply from an X server that
// another client holds) is cut by a timer, which ends the process.
#include <sys/time.h>
#include <unistd.h>
#include <csignal>

#include <chrono>

#include "platform/linux/desktop.h"

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point Deadline = Clock::time_point::max();

// Only async-signal-safe calls: the run may be anywhere when it comes.
void Cut(int /*signal*/) {
    static_cast<void>(write(STDERR_FILENO, Desktop::NoAnswerLine, sizeof Desktop::NoAnswerLine - 1));
    _exit(0);
}

void SetTimer(int milliseconds) {
    itimerval timer = {};
    timer.it_value.tv_sec = milliseconds / 1000;
    timer.it_value.tv_usec = static_cast<suseconds_t>(milliseconds % 1000) * 1000;
    setitimer(ITIMER_REAL, &timer, nullptr);
}

}  // namespace

namespace Desktop {

void StartDeadline() {
    Deadline = Clock::now() + std::chrono::milliseconds(RunMilliseconds);
    struct sigaction action = {};
    action.sa_handler = Cut;
    sigaction(SIGALRM, &action, nullptr);
    SetTimer(RunMilliseconds);
}

int MillisecondsLeft(int patience) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, std::min<long long>(patience, left)));
}

void LiftDeadline() {
    SetTimer(0);
    Deadline = Clock::time_point::max();
}

}  // namespace Desktop
