#include "winctl/title.h"

#include <cstring>

std::string_view ReadWindowTitle(HWND window, char (&buffer)[TitleCapacity]) {
    // A failing call may leave the buffer as it was: start from an empty title
    // so no bytes of an earlier window can be read back.
    buffer[0] = '\0';
    Platform::GetWindowTextA(window, buffer, static_cast<int>(TitleCapacity));
    // The last byte is never part of the title, even if the platform forgot the NUL.
    const void* end = std::memchr(buffer, '\0', TitleCapacity - 1);
    const std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - buffer) : TitleCapacity - 1;
    return std::string_view(buffer, length);
}

bool TitleMatches(std::string_view title, std::string_view target) {
    if (title.size() != target.size()) {
        return false;
    }
    for (std::size_t i = 0; i < title.size(); ++i) {
        if (AsciiLowerCase(title[i]) != AsciiLowerCase(target[i])) {
            return false;
        }
    }
    return true;
}
