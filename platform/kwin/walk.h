// The record the walk keeps of each KWin window; a handle points at one.
#pragma once

#include "platform/linux/desktop.h"

namespace KWin {

struct KWinRecord {
    char Id[40] = {};  // internalId, a UUID in braces
    bool Minimised = false;
    bool SkipTaskbar = false;
    bool SkipPager = false;
    bool SkipSwitcher = false;
    Desktop::Title Title;
};

inline bool HiddenByDrapeno(const KWinRecord& record) {
    return record.Minimised && record.SkipTaskbar && record.SkipPager && record.SkipSwitcher;
}

BOOL ShowWindow(HWND window, int command);

}  // namespace KWin
