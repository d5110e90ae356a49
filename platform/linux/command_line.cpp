#include "platform/linux/command_line.h"

#include "platform/platform.h"

namespace {

char CommandLine[CommandLineCapacity] = {};

}  // namespace

std::size_t BuildCommandLine(int argc, const char* const* argv, char* line, std::size_t capacity) {
    if (capacity == 0) {
        return 0;
    }
    // Room for a word's closing quote and the final NUL is kept back, so a cut
    // word still ends as one quoted token.
    const std::size_t last = capacity - 1;
    std::size_t length = 0;
    for (int i = 0; i < argc && argv[i] != nullptr && length + 3 <= last; ++i) {
        if (i > 0) {
            line[length++] = ' ';
        }
        line[length++] = '"';
        const char* byte = argv[i];
        for (; *byte != '\0'; ++byte) {
            if (*byte == '"') {
                continue;
            }
            if (length + 1 >= last) {
                break;
            }
            line[length++] = *byte;
        }
        line[length++] = '"';
        if (*byte != '\0') {
            break;  // cut at the bound: what follows is dropped
        }
    }
    line[length] = '\0';
    return length;
}

void RecordCommandLine(int argc, const char* const* argv) {
    BuildCommandLine(argc, argv, CommandLine, CommandLineCapacity);
}

namespace Platform {

const char* GetCommandLineA() {
    return CommandLine;
}

}  // namespace Platform
