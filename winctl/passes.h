// The hide and show passes: one EnumWindows walk each, acting on the first
// top-level window whose title matches TargetTitle, and on no other.
#pragma once

#include <string_view>

#include "platform/platform.h"

// The title to look for. Set by the entry before a pass and only read during it;
// the enumeration's user value carries nothing.
extern std::string_view TargetTitle;

BOOL CALLBACK HideEnumProc(HWND window, LPARAM unused);
BOOL CALLBACK ShowEnumProc(HWND window, LPARAM unused);

// Hides the first visible window whose title matches.
void HidePass();

// Shows, in its normal size, the first window whose title matches, visible or not.
void ShowPass();
