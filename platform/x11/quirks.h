// What the window manager announces it supports, and what some do that
// nothing they announce tells: the one place where window managers are named.
#pragma once

#include <xcb/xcb.h>

namespace X11 {

enum Quirk : unsigned {
    // Passes over the withdrawal of a window that is already unmapped, as a
    // minimised one is: it must be brought back first, then withdrawn.
    WithdrawsOnlyMapped = 1U << 0U,
    // Takes no request of another program to leave the maximised states: the
    // window stays maximised, and screen-sized.
    KeepsMaximised = 1U << 1U,
    // Lets a window go as soon as it is unmapped, before the notice ICCCM
    // has follow, which then finds no client: WM_STATE stays Normal, and the
    // last client stays in the client list. The notice goes first.
    ForgetsUnmapped = 1U << 2U,
    // Puts the window's own corner, not its frame's, where the window asks
    // to be, whatever its gravity (ICCCM's would place the frame).
    PlacesWindowNotFrame = 1U << 3U,
    // Takes a full-screen window out of its frame, and gives it a new one
    // only some time after it has left full screen and taken its size back.
    UnframesFullScreen = 1U << 4U,
};

// Whether the window manager that runs, named on its check window, has it.
bool WindowManagerHas(Quirk quirk);

// Whether it lists the atom in _NET_SUPPORTED: one it does not list may stand
// in a window's _NET_WM_STATE all the same (bspwm keeps a maximised state it
// has not got), and no request about it is ever answered.
bool WindowManagerSupports(xcb_atom_t atom);

}  // namespace X11
