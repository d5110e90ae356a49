// Command-line splitting, seen through ArgumentCount and ArgumentAt as the
// entry uses them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cmdline/arguments.h"
#include "tests/case_table.h"
#include "tests/simulated_desktop.h"

namespace {

using Arguments = std::vector<std::string>;

std::string Repeat(char byte, std::size_t count) {
    return std::string(count, byte);
}

// Every separator byte 0x01..0x20 before an "x".
std::string EverySeparatorBeforeX() {
    std::string line = "prog";
    for (int value = 0x01; value <= 0x20; ++value) {
        line += static_cast<char>(value);
        line += 'x';
    }
    return line;
}

Arguments Chunks(const std::string& token) {
    Arguments chunks;
    for (std::size_t at = 0; at < token.size(); at += ArgumentCapacity) {
        chunks.push_back(token.substr(at, ArgumentCapacity));
    }
    return chunks;
}

// The arguments 1..ArgumentCount(); argument count+1 must be the empty one.
Arguments Split(const std::string& commandLine) {
    SimulateDesktop(commandLine, {});
    Argument argument = {};
    Arguments arguments;
    const std::size_t count = ArgumentCount();
    for (std::size_t n = 1; n <= count; ++n) {
        ArgumentAt(n, argument);
        arguments.emplace_back(ArgumentText(argument));
    }
    ArgumentAt(count + 1, argument);
    EXPECT_EQ(argument.Length, 0U) << "argument after the last";
    return arguments;
}

struct SplitCase {
    const char* Name;
    std::string CommandLine;
    Arguments Expected;
};

const std::string LongTitle = "-h=" + Repeat('A', 32767 - 8);

const SplitCase SplitCases[] = {
    {"plain", "prog -h=Notepad", {"-h=Notepad"}},
    {"blanks split", "prog -h=Untitled - Notepad", {"-h=Untitled", "-", "Notepad"}},
    {"quoted whole", "prog \"-h=Untitled - Notepad\"", {"-h=Untitled - Notepad"}},
    {"quoted title", "prog -h=\"Untitled - Notepad\"", {"-h=Untitled - Notepad"}},
    {"quoted program name", "\"C:\\My Tools\\prog.exe\" -s=Calc", {"-s=Calc"}},
    {"pair before token", "prog \"\" -h=X", {"-h=X"}},
    {"pairs and separators mixed", "prog \"\" \t\"\"\"\" -h=X", {"-h=X"}},
    {"pair inside token", "prog a\"\"b", {"ab"}},
    {"unterminated quote", "prog \"abc", {"abc"}},
    {"tab separates", "prog -h=X \t extra", {"-h=X", "extra"}},
    {"backslash is ordinary", "prog -h=a\\\"b c\"", {"-h=a\\b c"}},
    {"lone quote at end", "prog -h=X \"", {"-h=X"}},
    {"no arguments", "prog", {}},
    {"empty command line", "", {}},
    {"name runs into quoted run", "prog\"-h=X\"", {}},
    {"every separator byte", EverySeparatorBeforeX(), Arguments(32, "x")},
    {"0x7F and high bytes", "prog -h=\x7F\x80\xE9\xFF", {"-h=\x7F\x80\xE9\xFF"}},
    {"every byte quoted", "prog \"" + EveryByteButQuote() + "\"", {EveryByteButQuote()}},
    // The separators before 0x21 are skipped; the quote after it opens a run to the end.
    {"every byte unquoted", "prog " + EveryByte(), {EveryByteButQuote().substr(0x20)}},
    {"thousands of quotes", "prog " + Repeat('"', 3000), {}},
    {"odd thousands of quotes", "prog " + Repeat('"', 3001) + " -h=X", {" -h=X"}},
    {"quotes inside a token", "prog -h=" + Repeat('"', 3000) + "X", {"-h=X"}},
    {"unquoted 4100 bytes", "prog " + Repeat('a', 4100), {Repeat('a', 4096), "aaaa"}},
    {"unquoted 8192 bytes", "prog " + Repeat('a', 8192), {Repeat('a', 4096), Repeat('a', 4096)}},
    {"quote right at the bound", "prog " + Repeat('a', 4096) + "\"x y\"", {Repeat('a', 4096), "x y"}},
    {"pair right at the bound", "prog " + Repeat('a', 4096) + "\"\"b", {Repeat('a', 4096), "b"}},
    {"quoted 5000 bytes stays one token",
     "prog \"" + Repeat('q', 5000) + "\" -s=X",
     {Repeat('q', 4096), "-s=X"}},
    {"quoted run crossing the bound",
     "prog " + Repeat('a', 4000) + "\"" + Repeat('q', 200) + "\"c",
     {Repeat('a', 4000) + Repeat('q', 96), "c"}},
    {"unterminated quoted 5000 bytes", "prog \"" + Repeat('q', 5000), {Repeat('q', 4096)}},
    {"quoted name of 5000 bytes", "\"" + Repeat('p', 5000) + "\" -s=X", {"-s=X"}},
    {"unquoted name of 5000 bytes", Repeat('p', 5000) + " -s=X", {Repeat('p', 904), "-s=X"}},
    {"32767-byte command line", "prog " + LongTitle, Chunks(LongTitle)},
};

void PrintTo(const SplitCase& row, std::ostream* out) {
    *out << row.Name;
}

class SplitTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, YieldsTheArguments) {
    EXPECT_EQ(Split(GetParam().CommandLine), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SplitTest, testing::ValuesIn(SplitCases), RowName());

}  // namespace
