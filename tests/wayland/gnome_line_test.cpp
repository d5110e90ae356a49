// The line Drapeno writes where GNOME Shell runs without its extension, by the
// version the shell gives: the build whose shell-version lists it, or, where
// none does or the version is no version, a line with no instruction.
#include <gtest/gtest.h>

#include <string>

#include "platform/gnome/extension_line.h"
#include "tests/case_table.h"

namespace {

const std::string Instruction =
    "Drapeno: only XWayland windows are reached until Drapeno's GNOME Shell extension is on: log out and in "
    "once, then run gnome-extensions enable ";
const std::string Legacy = Instruction + "drapeno-legacy@drapeno.example\n";
const std::string Module = Instruction + "drapeno@drapeno.example\n";
std::string Unsupported(const std::string& major) {
    return "Drapeno: only XWayland windows are reached: Drapeno's GNOME Shell extension runs on GNOME 43 to "
           "51, "
           "and this is GNOME " +
           major + "\n";
}
const std::string Unknown =
    "Drapeno: only XWayland windows are reached: GNOME Shell did not say its version, which decides the "
    "build "
    "of Drapeno's extension it loads\n";

struct VersionCase {
    const char* Name;
    const char* Version;  // null: the shell gave none
    std::string Line;
};

const VersionCase VersionCases[] = {
    {"43 loads the legacy build", "43.9", Legacy},
    {"44 beta", "44.beta", Legacy},
    {"45 loads the module", "45.0", Module},
    {"48", "48.7", Module},
    {"51 alpha", "51.alpha", Module},
    {"51 bare", "51", Module},
    // RHEL 9 and Ubuntu 22.04: neither build loads, and no step would help.
    {"42", "42.9", Unsupported("42")},
    {"40", "40.10", Unsupported("40")},
    {"GNOME 3", "3.38.4", Unsupported("3")},
    // A GNOME newer than any listed marks both builds out of date.
    {"52", "52.0", Unsupported("52")},
    {"four digits", "9999.1", Unsupported("9999")},
    {"no answer", nullptr, Unknown},
    {"empty", "", Unknown},
    {"words", "forty-eight", Unknown},
    {"dot first", ".48", Unknown},
    {"blank first", " 48", Unknown},
    {"sign", "-48", Unknown},
    {"letter after", "48a", Unknown},
    {"zero", "0.1", Unknown},
    {"five digits", "10000", Unknown},
    {"overflowing digits", "99999999999999999999999.0", Unknown},
    {"not UTF-8", "48\xff", Unknown},
};

void PrintTo(const VersionCase& row, std::ostream* out) {
    *out << row.Name;
}

class GnomeLineTest : public testing::TestWithParam<VersionCase> {};

TEST_P(GnomeLineTest, NamesTheBuildThisShellLoads) {
    EXPECT_EQ(GNOME::ExtensionLineFor(GetParam().Version).Text, GetParam().Line);
}

INSTANTIATE_TEST_SUITE_P(Versions, GnomeLineTest, testing::ValuesIn(VersionCases), RowName());

}  // namespace
