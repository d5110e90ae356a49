// Window titles: how they are read and how they are compared with the target.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/platform.h"

// GetWindowTextA ends the text with a NUL, so a title holds at most 255 bytes.
constexpr std::size_t TitleCapacity = 256;

// Folds A-Z only; every other byte, 0x80-0xFF included, stays as it is, so the
// result never depends on a locale or code page.
constexpr char AsciiLowerCase(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + ('a' - 'A')) : byte;
}

// The window's title, held in buffer. A window whose text cannot be read has
// an empty title.
std::string_view ReadWindowTitle(HWND window, char (&buffer)[TitleCapacity]);

// Whole-title comparison with A-Z folded: same length, same folded bytes.
bool TitleMatches(std::string_view title, std::string_view target);
