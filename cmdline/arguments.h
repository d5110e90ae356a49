// Splitting of the raw command line into arguments. The first token is the
// program's own name; it is split by the same rules and never counted.
#pragma once

#include <cstddef>
#include <string_view>

constexpr std::size_t ArgumentCapacity = 4096;

// One argument: at most ArgumentCapacity bytes. Empty means no arguments left.
struct Argument {
    char Bytes[ArgumentCapacity];
    std::size_t Length;
};

// Reads one token from position into argument; returns the position where
// collecting stopped (the separator after the token is left for the next call).
const char* NextArgument(const char* position, Argument& argument);

// Number of arguments after the program's name.
std::size_t ArgumentCount();

// Argument n, n >= 1; empty past the last one.
void ArgumentAt(std::size_t n, Argument& argument);

inline std::string_view ArgumentText(const Argument& argument) {
    return std::string_view(argument.Bytes, argument.Length);
}
