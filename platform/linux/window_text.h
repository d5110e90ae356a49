// GetWindowTextA for the Linux desktops, whose walks keep each title in a
// record: at most maxCount - 1 bytes of it, ended by a NUL.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>

inline int CopyWindowText(const char* title, std::size_t length, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const std::size_t copied = std::min(length, static_cast<std::size_t>(maxCount) - 1);
    std::memcpy(buffer, title, copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}
