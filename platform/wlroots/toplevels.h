// The toplevels the compositor announces, kept as it reports them; a handle
// points at one.
#pragma once

#include <deque>
#include <vector>

#include "platform/linux/desktop.h"
#include "platform/wlroots/connection.h"

namespace Wlroots {

struct Toplevel {
    zwlr_foreign_toplevel_handle_v1* Handle = nullptr;
    Desktop::Title Title;
    bool Minimised = false;
    bool Maximised = false;
    bool FullScreen = false;
    bool Activated = false;
    bool Closed = false;
};

// In the order of announcement; a deque, as toplevels announced during a wait
// must not move those the walk handed out.
extern std::deque<Toplevel> Announced;

// Starts listening for toplevels; they come with the next round trip.
void ListenForToplevels();

// The open toplevels, the activated ones first, then in the order of
// announcement.
std::vector<Toplevel*> WalkOrder();

BOOL ShowWindow(HWND window, int command);

}  // namespace Wlroots
