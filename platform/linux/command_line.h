// The command line of the Linux build, rebuilt from argv so that the usual
// splitting yields the shell's words again.
#pragma once

#include <cstddef>

// As on Windows: a command line holds at most 32,767 bytes and its NUL.
constexpr std::size_t CommandLineCapacity = 32768;

// Writes each word enclosed in double quotes, the words separated by one
// blank, into line (capacity bytes, NUL-ended). Double-quote bytes inside a
// word are dropped, as Windows drops them. The word that would cross the
// capacity is cut there and still closed by its quote; later words are
// dropped. Returns the length written, the NUL not counted.
std::size_t BuildCommandLine(int argc, const char* const* argv, char* line, std::size_t capacity);

// Records the process's words; GetCommandLineA returns them rebuilt.
void RecordCommandLine(int argc, const char* const* argv);
