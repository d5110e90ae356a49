// Drapeno's window-system operations under wlroots compositors (labwc,
// wayfire), through wlr-foreign-toplevel-management. Windows come activated
// first, then in the compositor's order of announcement; hiding is
// minimising.
#pragma once

#include "platform/linux/desktop.h"

namespace Wlroots {

extern const Desktop::Operations Operations;

}  // namespace Wlroots
