// The record the walk keeps of each KWin window; a handle points at one.
#pragma once

#include <cstddef>

struct KWinRecord {
    char Id[40] = {};  // internalId, a UUID in braces
    bool Minimised = false;
    bool SkipTaskbar = false;
    bool SkipPager = false;
    bool SkipSwitcher = false;
    std::size_t TitleLength = 0;
    char Title[256] = {};  // at most 255 bytes
};

inline const KWinRecord& KWinRecordOf(void* handle) {
    return *static_cast<const KWinRecord*>(handle);
}

inline bool HiddenByDrapeno(const KWinRecord& record) {
    return record.Minimised && record.SkipTaskbar && record.SkipPager && record.SkipSwitcher;
}
