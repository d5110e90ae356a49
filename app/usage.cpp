#include "app/drapeno.h"
#include "platform/platform.h"

// constexpr, so no start-up code sets it: Drapeno.exe runs none.
constexpr std::string_view UsageText =
    "Drapeno v1.0 (c) 2026 the Drapeno developers\r\n"
    "Hiding unwanted window\r\n"
    "\r\n"
    "Usage:\r\n"
    "  Drapeno.exe -p=title\r\n"
    "where:\r\n"
    "  p: either h (for hiding) or s (for showing)\r\n"
    "  path: the title of window to hide.";

void ShowUsage() {
    // UsageText is a literal, so it is NUL-ended as MessageBoxA needs.
    Platform::MessageBoxA(nullptr, UsageText.data(), "Drapeno", MB_OK);
}
