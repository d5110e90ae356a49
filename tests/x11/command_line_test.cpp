// The Linux build's command line: argv rebuilt so that the usual splitting
// yields the shell's words again, within a fixed capacity.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "cmdline/arguments.h"
#include "platform/linux/command_line.h"
#include "platform/platform.h"

namespace {

using Words = std::vector<std::string>;

// Records the words as main does and splits Platform::GetCommandLineA again.
Words RoundTrip(const Words& words) {
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    argv.push_back(nullptr);
    RecordCommandLine(static_cast<int>(words.size()), argv.data());
    Words split;
    for (std::size_t n = 1;; ++n) {
        static Argument argument = {};
        ArgumentAt(n, argument);
        if (argument.Length == 0) {
            return split;
        }
        split.emplace_back(ArgumentText(argument));
    }
}

struct RoundTripCase {
    Words Given;
    Words Expected;
};

TEST(CommandLineTest, SplittingYieldsTheShellsWords) {
    std::string high;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        high += static_cast<char>(byte);
    }
    const std::vector<RoundTripCase> cases = {
        {{"/usr/bin/Drapeno", "-h=Term Beta"}, {"-h=Term Beta"}},
        {{"Drapeno", "-h=say \"hi\""}, {"-h=say hi"}},  // double quotes dropped, as on Windows
        {{"Drapeno", "-h=tab\there", "-s=x y"}, {"-h=tab\there", "-s=x y"}},
        {{"Drapeno", "-h=" + high}, {"-h=" + high}},
        {{"my \"tools\"/Drapeno", "-h=x"}, {"-h=x"}},
        {{"Drapeno"}, {}},
        {{"Drapeno", ""}, {}},  // an empty word is an empty pair of quotes, skipped
        {{"Drapeno", "\"\"", "-h=x"}, {"-h=x"}},
    };
    for (const RoundTripCase& row : cases) {
        EXPECT_EQ(RoundTrip(row.Given), row.Expected) << row.Given.back();
    }
}

TEST(CommandLineTest, BoundCutsTheCrossingWordAndDropsTheRest) {
    const std::string huge(40000, 'a');
    EXPECT_EQ(RoundTrip({"Drapeno", "-h=" + huge, "-s=x"}).size(), 1U);
    const char* line = Platform::GetCommandLineA();
    const std::string text(line);
    EXPECT_EQ(text.size(), CommandLineCapacity - 1);
    EXPECT_EQ(text.substr(0, 14), "\"Drapeno\" \"-h=");
    EXPECT_EQ(text.back(), '"');

    struct SmallCase {
        std::size_t Capacity;
        std::string Expected;
    };
    const char* const argv[] = {"ab", "cdef", "g"};
    for (const SmallCase& row : std::vector<SmallCase>{{1, ""},
                                                       {4, "\"a\""},
                                                       {5, "\"ab\""},
                                                       {9, "\"ab\" \"c\""},
                                                       {12, "\"ab\" \"cdef\""},
                                                       {14, "\"ab\" \"cdef\""},
                                                       {15, "\"ab\" \"cdef\" \"\""},
                                                       {16, "\"ab\" \"cdef\" \"g\""}}) {
        char buffer[20];
        std::memset(buffer, '#', sizeof buffer);
        const std::size_t length = BuildCommandLine(3, argv, buffer, row.Capacity);
        EXPECT_EQ(std::string(buffer, length), row.Expected) << row.Capacity;
        EXPECT_EQ(buffer[length], '\0');
        EXPECT_EQ(buffer[row.Capacity], '#') << "wrote past the capacity " << row.Capacity;
    }
}

}  // namespace
