// The connection to the compositor. Every wait ends by the run's deadline: a
// compositor that stops answering cannot hold Drapeno.
#pragma once

#include <wayland-client.h>

#include <chrono>

#include "foreign-toplevel.h"
#include "platform/linux/desktop.h"

namespace Wlroots {

using Clock = std::chrono::steady_clock;

// What the compositor offers, bound once Connect has found the manager.
struct Globals {
    wl_display* Display = nullptr;
    zwlr_foreign_toplevel_manager_v1* Manager = nullptr;
    wl_seat* Seat = nullptr;  // null where it offers none: no activation then
};
extern Globals Session;

// True once the compositor offers the manager, which is then bound.
bool Open();
void Close();

// Dispatches what has come; false once the connection has failed.
bool DispatchPending();
// Waits for more events until the end; false at the end or on failure.
bool ReadOnce(Clock::time_point end);

// Dispatches until done() holds, for at most the patience of one answer.
template <typename Done>
bool DispatchUntil(Done done) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Desktop::MillisecondsLeft());
    while (DispatchPending()) {
        if (done()) {
            return true;
        }
        if (!ReadOnce(end)) {
            return false;
        }
    }
    return false;
}

// Every request sent so far has been handled, and its events dispatched.
bool RoundTrip();

}  // namespace Wlroots
