// Which windows are top-level, and where each stands, for the X11 walk.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/x11/connection.h"

namespace X11 {

// The first round trip: the root's children and the window manager's lists.
// The walk holds its clients and the windows it does not manage, in no order.
void ListTopLevels(std::vector<WindowRecord>& walk);

// A client's parent asked for, one level nearer its frame.
struct FrameQuery {
    std::size_t Index = 0;  // in the walk
    xcb_query_tree_cookie_t Cookie = {};
};

// Sent beside the walk's other requests, so that a window manager that holds
// its clients one level deep (most do) costs no round trip of its own.
std::vector<FrameQuery> AskFrames(const std::vector<WindowRecord>& walk);
void ReadFrames(std::vector<WindowRecord>& walk, const std::vector<FrameQuery>& queries);

// Climbs the levels still left, then puts the walk topmost first.
void OrderByStacking(std::vector<WindowRecord>& walk);

}  // namespace X11
