#include "cmdline/arguments.h"

#include "platform/platform.h"

namespace {

constexpr char Quote = '"';

// Every control byte and the blank separate; 0x7F and bytes above 0x80 do not.
bool IsSeparator(char byte) {
    const unsigned char value = static_cast<unsigned char>(byte);
    return value >= 0x01 && value <= 0x20;
}

bool IsArgumentByte(char byte) {
    return static_cast<unsigned char>(byte) > 0x20;
}

// Skips separators and pairs of double quotes standing before a token.
const char* SkipToToken(const char* position) {
    for (;;) {
        while (IsSeparator(*position)) {
            ++position;
        }
        if (position[0] != Quote || position[1] != Quote) {
            return position;
        }
        position += 2;
    }
}

}  // namespace

const char* NextArgument(const char* position, Argument& argument) {
    argument.Length = 0;
    position = SkipToToken(position);
    while (IsArgumentByte(*position) && argument.Length < ArgumentCapacity) {
        if (*position != Quote) {
            argument.Bytes[argument.Length++] = *position++;
            continue;
        }
        // A quoted run keeps separators. Past the buffer's bound the rest of
        // the run is passed over, so an over-long quoted token stays one token.
        ++position;
        while (*position != Quote && *position != '\0') {
            if (argument.Length < ArgumentCapacity) {
                argument.Bytes[argument.Length++] = *position;
            }
            ++position;
        }
        if (*position == Quote) {
            ++position;
        }
    }
    return position;
}

std::size_t ArgumentCount() {
    Argument argument = {};
    const char* position = NextArgument(Platform::GetCommandLineA(), argument);
    std::size_t count = 0;
    for (;;) {
        position = NextArgument(position, argument);
        if (argument.Length == 0) {
            return count;
        }
        ++count;
    }
}

void ArgumentAt(std::size_t n, Argument& argument) {
    const char* position = Platform::GetCommandLineA();
    for (;;) {
        position = NextArgument(position, argument);
        if (n == 0 || argument.Length == 0) {
            return;
        }
        --n;
    }
}
