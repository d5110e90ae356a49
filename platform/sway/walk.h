// The record the walk keeps of each sway window; a handle points at one.
#pragma once

#include <cstdint>

#include "platform/linux/desktop.h"

namespace Sway {

struct ViewRecord {
    std::int64_t ConId = 0;
    bool Floating = false;
    bool Hidden = false;    // in the scratchpad
    bool WasTiled = false;  // Drapeno hid it from the tiling: it carries TiledMark
    Desktop::Title Title;
};

// The mark a tiled window carries while Drapeno keeps it in the scratchpad,
// followed by its con_id: sway lets one mark name only one window.
constexpr char TiledMark[] = "_drapeno_tiled_";

BOOL ShowWindow(HWND window, int command);

}  // namespace Sway
