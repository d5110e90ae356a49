// What some window managers do that nothing they announce tells: the one
// place where window managers are named.
#pragma once

namespace X11 {

enum Quirk : unsigned {
    // Passes over the withdrawal of a window that is already unmapped, as a
    // minimised one is: it must be brought back first, then withdrawn.
    WithdrawsOnlyMapped = 1U << 0U,
    // Takes no request of another program to leave the maximised states: the
    // window stays maximised, and screen-sized.
    KeepsMaximised = 1U << 1U,
};

// Whether the window manager that runs, named on its check window, has it.
bool WindowManagerHas(Quirk quirk);

}  // namespace X11
