// The record the walk keeps of each sway window; a handle points at one.
#pragma once

#include <cstddef>
#include <cstdint>

struct ViewRecord {
    std::int64_t ConId = 0;
    bool Floating = false;
    bool Hidden = false;    // in the scratchpad
    bool WasTiled = false;  // Drapeno hid it from the tiling: it carries TiledMark
    std::size_t TitleLength = 0;
    char Title[256] = {};  // at most 255 bytes
};

// The mark a tiled window carries while Drapeno keeps it in the scratchpad,
// followed by its con_id: sway lets one mark name only one window.
constexpr char TiledMark[] = "_drapeno_tiled_";

inline const ViewRecord& ViewOf(void* handle) {
    return *static_cast<const ViewRecord*>(handle);
}
