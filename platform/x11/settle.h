// The waits for a window manager to carry out what it was asked, and what
// each one waits for, read afresh from the server.
#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "platform/x11/connection.h"

namespace X11 {

void Pause();  // between two looks, 5 ms

// Polls done() until it holds; false if patience (milliseconds) ran out first.
// A wait without patience of its own lasts as long as the run: its deadline
// ends one the window manager never answers, saying that the desktop did not
// answer in time, so that no give-up is silent.
template <typename Done>
bool Await(Done done, int patience = Desktop::RunMilliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Pause();
    }
    return true;
}

// A window as the server has it now.
struct Seen {
    bool Exists = false;
    bool Mapped = false;
    std::uint32_t State = 0;  // WM_STATE, 0 when absent
    bool Listed = false;      // in the window manager's client list
};
Seen Look(xcb_window_t window);

// A window that is gone counts as each of these: there is nothing to wait for.
bool IsShown(const Seen& seen);      // mapped, and in the normal state
bool IsWithdrawn(const Seen& seen);  // unmapped, and let go by the window manager

std::vector<std::uint32_t> StatesOf(xcb_window_t window);  // _NET_WM_STATE
bool Holds(const std::vector<std::uint32_t>& states, xcb_atom_t state);

}  // namespace X11
