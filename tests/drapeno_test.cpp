// Whole runs of Drapeno on the simulated desktop: the switch table, the two
// passes, title matching, the usage box and the exit code.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "app/drapeno.h"
#include "tests/case_table.h"
#include "tests/simulated_desktop.h"
#include "winctl/title.h"

namespace {

using Calls = std::vector<ShowWindowCall>;

SimulatedWindow Shown(const std::string& title) {
    return {title, true, TitleRead::Works};
}

SimulatedWindow Hidden(const std::string& title) {
    return {title, false, TitleRead::Works};
}

std::string Quoted(const std::string& argument) {
    return "prog \"" + argument + "\"";
}

struct RunCase {
    const char* Name;
    std::string CommandLine;
    std::vector<SimulatedWindow> Windows;
    Calls Expected;
};

const std::string A255(255, 'a');

const RunCase RunCases[] = {
    {"hide first of two", "prog -h=Notepad", {Shown("Notepad"), Shown("Notepad")}, {{0, SW_HIDE}}},
    {"hide skips hidden match", "prog -h=Notepad", {Hidden("Notepad"), Shown("Notepad")}, {{1, SW_HIDE}}},
    {"hide with no visible match", "prog -h=Notepad", {Hidden("Notepad"), Shown("Calc")}, {}},
    {"hide capital switch", "prog -H=Notepad", {Shown("Calc"), Shown("Notepad")}, {{1, SW_HIDE}}},
    {"title of one byte", "prog -s=X", {Hidden("Y"), Hidden("X")}, {{1, SW_SHOWNORMAL}}},
    {"third byte untested", "prog -hxNotepad", {Shown("Notepad")}, {{0, SW_HIDE}}},
    {"show hidden", "prog -s=Calc", {Shown("Notepad"), Hidden("Calc")}, {{1, SW_SHOWNORMAL}}},
    {"show capital switch", "prog -S=Calc", {Hidden("Calc")}, {{0, SW_SHOWNORMAL}}},
    {"show stops at visible match", "prog -s=Calc", {Shown("Calc"), Hidden("Calc")}, {{0, SW_SHOWNORMAL}}},
    {"slash switch", "prog /h=Notepad", {Shown("Notepad")}, {}},
    {"unknown switch", "prog -x=Notepad", {Shown("Notepad")}, {}},
    {"switch with blank", "prog \" -h=Notepad\"", {Shown("Notepad")}, {}},
    {"lone dash", "prog -", {Shown("-")}, {}},
    {"switch only", "prog -h", {Shown("-h"), Shown("")}, {}},
    {"empty target", "prog -h=", {Shown(""), Shown("-h=")}, {}},
    {"empty target show", "prog -s=", {Hidden("")}, {}},
    {"target folded", "prog -h=NOTEPAD", {Shown("notepad")}, {{0, SW_HIDE}}},
    {"title folded", "prog -s=notepad", {Hidden("NotePad")}, {{0, SW_SHOWNORMAL}}},
    {"A and Z folded", "prog -s=AZ", {Hidden("az")}, {{0, SW_SHOWNORMAL}}},
    // Each window would match if one of the two neighbours were folded.
    {"neighbours of A-Z not folded", "prog -h=@[", {Shown("`["), Shown("@{"), Shown("@[")}, {{2, SW_HIDE}}},
    {"accented letter not folded", "prog -h=CAF\xC9", {Shown("caf\xE9"), Shown("CAF\xC9")}, {{1, SW_HIDE}}},
    {"trailing blank", Quoted("-h=Notepad "), {Shown("Notepad")}, {}},
    {"no substring", "prog -h=Note", {Shown("Notepad")}, {}},
    {"second argument ignored",
     "prog -h=Untitled - Notepad",
     {Shown("Untitled - Notepad"), Shown("Untitled")},
     {{1, SW_HIDE}}},
    {"quoted title with blanks",
     Quoted("-h=Untitled - Notepad"),
     {Shown("Untitled"), Shown("Untitled - Notepad")},
     {{1, SW_HIDE}}},
    {"unreadable title skipped",
     "prog -h=Notepad",
     {{"Notepad", true, TitleRead::Fails}, Shown("Notepad")},
     {{1, SW_HIDE}}},
    // No argument carries a quote, so the title that holds one never matches.
    {"every byte in a title",
     Quoted("-h=" + EveryByteButQuote()),
     {Shown(EveryByte()), Shown(EveryByteButQuote())},
     {{1, SW_HIDE}}},
    {"title of 255", "prog -h=" + A255, {Shown(A255)}, {{0, SW_HIDE}}},
    {"title of 256 compared by 255", "prog -h=" + A255, {Shown(A255 + "b")}, {{0, SW_HIDE}}},
    {"title of 300 compared by 255",
     "prog -s=" + A255,
     {Hidden(A255 + std::string(45, 'c'))},
     {{0, SW_SHOWNORMAL}}},
    {"target of 256 never matches", "prog -h=" + A255 + "a", {Shown(A255 + "a")}, {}},
    {"unterminated title cut at 255",
     "prog -h=" + std::string(255, 'x'),
     {{"", true, TitleRead::Unterminated}},
     {{0, SW_HIDE}}},
};

void PrintTo(const RunCase& row, std::ostream* out) {
    *out << row.Name;
}

class RunTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunTest, ActsOnTheFirstMatchOnly) {
    SimulateDesktop(GetParam().CommandLine, GetParam().Windows);
    RunDrapeno();
    EXPECT_EQ(Desktop.ShowWindowCalls, GetParam().Expected);
    EXPECT_TRUE(Desktop.MessageBoxCalls.empty());
    EXPECT_EQ(Desktop.ExitCodes, std::vector<UINT>{0});
}

INSTANTIATE_TEST_SUITE_P(Runs, RunTest, testing::ValuesIn(RunCases), RowName());

TEST(RunTest, SecondRunHidesTheOther) {
    SimulateDesktop("prog -h=Notepad", {Shown("Notepad"), Shown("Notepad")});
    RunDrapeno();
    RunDrapeno();
    EXPECT_EQ(Desktop.ShowWindowCalls, (Calls{{0, SW_HIDE}, {1, SW_HIDE}}));
    EXPECT_FALSE(Desktop.Windows[0].Visible || Desktop.Windows[1].Visible);
}

TEST(UsageTest, NoArgumentsShowTheUsageBoxAndExitZero) {
    for (const char* commandLine : {"prog", "\"C:\\My Tools\\prog.exe\"  \"\" ", ""}) {
        SimulateDesktop(commandLine, {Shown("Notepad")});
        RunDrapeno();
        ASSERT_EQ(Desktop.MessageBoxCalls.size(), 1U) << commandLine;
        const MessageBoxCall& box = Desktop.MessageBoxCalls[0];
        EXPECT_FALSE(box.HasOwner);
        EXPECT_EQ(box.Caption, "Drapeno");
        EXPECT_EQ(box.Type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(box.Text, UsageText);
        EXPECT_TRUE(Desktop.ShowWindowCalls.empty());
        EXPECT_EQ(Desktop.ExitCodes, std::vector<UINT>{0});
    }
}

// tests/usage.txt holds the text line by line, for the X11 tests too.
TEST(UsageTest, TextIsTheLinesOfUsageTxtJoinedByCrLf) {
    std::ifstream file(DRAPENO_USAGE_FILE);
    std::string expected;
    std::string line;
    for (int n = 0; std::getline(file, line); ++n) {
        expected += (n > 0 ? "\r\n" : "") + line;
    }
    EXPECT_EQ(UsageText, expected);
}

TEST(TitleTest, FailedReadLeavesNoStaleBytes) {
    SimulateDesktop("prog", {{"Notepad", true, TitleRead::Fails}});
    char buffer[TitleCapacity] = "Notepad";
    EXPECT_EQ(ReadWindowTitle(SimulatedHandle(0), buffer), "");
}

}  // namespace
