// What the Linux desktops' walks share: each keeps a record per window, hands
// the callback a handle that points at it, and answers GetWindowTextA from it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "platform/platform.h"

// Calls the callback with each record, in order, until it returns 0.
template <typename Record>
BOOL PresentEach(std::vector<Record>& records, WNDENUMPROC callback, LPARAM value) {
    for (Record& record : records) {
        if (callback(reinterpret_cast<HWND>(&record), value) == 0) {
            return 0;
        }
    }
    return 1;
}

// At most maxCount - 1 bytes of the title, ended by a NUL.
inline int CopyWindowText(const char* title, std::size_t length, char* buffer, int maxCount) {
    if (buffer == nullptr || maxCount <= 0) {
        return 0;
    }
    const std::size_t copied = std::min(length, static_cast<std::size_t>(maxCount) - 1);
    std::memcpy(buffer, title, copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}
