// Drapeno's window-system operations under sway, over its IPC socket: the one
// SWAYSOCK names. Windows come most recently focused first, those in the
// scratchpad (sway's hide) last.
#pragma once

#include "platform/linux/desktop.h"

namespace Sway {

extern const Desktop::Operations Operations;

}  // namespace Sway
