// Arbitrary bytes as the raw command line and the desktop of one run. Besides
// never crashing, hanging or touching memory out of bounds, every run must keep
// these: every argument as an independent model of the splitting rules gives
// it; at most one ShowWindow call, on the first matching window in enumeration
// order for that model's argument 1; exit code 0.
//
// Input: the command line up to the first NUL, then the windows in enumeration
// order, each a flag byte followed by its title up to the next NUL. Flag bit 0
// makes the window visible; bits 1-2 are 2 for a title that cannot be read and
// 3 for a read that fills the buffer without ending it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/drapeno.h"
#include "cmdline/arguments.h"
#include "tests/simulated_desktop.h"

namespace {

void Require(bool holds, const char* property) {
    if (!holds) {
        (void)std::fprintf(stderr, "broken: %s\n", property);  // aborting either way
        std::abort();
    }
}

std::vector<SimulatedWindow> WindowsFrom(const char* at, const char* end) {
    std::vector<SimulatedWindow> windows;
    while (at < end) {
        const unsigned flags = static_cast<unsigned char>(*at++);
        const char* titleEnd = std::find(at, end, '\0');
        const unsigned read = (flags >> 1) & 3U;
        windows.push_back({std::string(at, titleEnd), (flags & 1U) != 0,
                           read == 2   ? TitleRead::Fails
                           : read == 3 ? TitleRead::Unterminated
                                       : TitleRead::Works});
        at = titleEnd == end ? end : titleEnd + 1;
    }
    return windows;
}

std::string Folded(std::string text) {
    for (char& byte : text) {
        if (byte >= 'A' && byte <= 'Z') {
            byte = static_cast<char>(byte - 'A' + 'a');
        }
    }
    return text;
}

// The title as the window system hands it over: at most 255 bytes.
std::string SeenTitle(const SimulatedWindow& window) {
    switch (window.Read) {
        case TitleRead::Fails:
            return "";
        case TitleRead::Unterminated:
            return std::string(255, 'x');
        case TitleRead::Works:
            break;
    }
    return window.Title.substr(0, 255);
}

// The one ShowWindow call a run should make, if any, for the given argument 1:
// the first candidate whose whole folded title equals the folded target.
std::vector<ShowWindowCall> ExpectedCalls(const std::string& first,
                                          const std::vector<SimulatedWindow>& windows) {
    const std::string switchText = first.substr(0, 2);
    const bool hide = switchText == "-h" || switchText == "-H";
    const bool show = switchText == "-s" || switchText == "-S";
    const std::string target = Folded(first.size() > 3 ? first.substr(3) : "");
    for (std::size_t i = 0; (hide || show) && i < windows.size(); ++i) {
        const std::string title = SeenTitle(windows[i]);
        if ((show || windows[i].Visible) && !title.empty() && Folded(title) == target) {
            return {{i, hide ? SW_HIDE : SW_SHOWNORMAL}};
        }
    }
    return {};
}

// The splitting rules written out again, apart from cmdline/, so that a fault
// there cannot hide behind itself: separators are the bytes 0x01-0x20; before a
// token they are skipped with any pairs of double quotes; in a token a double
// quote opens a run, kept blanks and all, up to the next double quote or the
// end; a token stops once it holds ArgumentCapacity bytes, and a quoted run
// crossing that bound is cut there. The first token is the program's name; the
// arguments end at the first empty token.
std::vector<std::string> ModelArguments(const std::string& line) {
    const auto at = [&line](std::size_t i) {
        return i < line.size() ? static_cast<unsigned char>(line[i]) : 0U;
    };
    std::vector<std::string> tokens;
    std::size_t i = 0;
    do {
        while ((at(i) >= 0x01 && at(i) <= 0x20) || (at(i) == '"' && at(i + 1) == '"')) {
            i += at(i) == '"' ? 2 : 1;
        }
        std::string token;
        while (at(i) > 0x20 && token.size() < ArgumentCapacity) {
            if (at(i) != '"') {
                token += line[i++];
                continue;
            }
            const std::size_t close = std::min(line.find('"', i + 1), line.size());
            token += line.substr(i + 1, close - i - 1);
            i = close < line.size() ? close + 1 : close;
        }
        tokens.push_back(token.substr(0, ArgumentCapacity));
    } while (tokens.size() == 1 || !tokens.back().empty());
    return {tokens.begin() + 1, tokens.end() - 1};
}

void RequireArgument(const Argument& argument, const std::string& expected, const char* property) {
    Require(argument.Length <= ArgumentCapacity, "argument within its bound");
    Require(ArgumentText(argument) == expected, property);
}

// Each argument as NextArgument walks them, the count, and ArgumentAt for a
// sample of positions (all of them for short lists, the first and last 64 of
// long ones: each call rescans the line) and the one after the last.
void CheckArguments(const std::vector<std::string>& expected) {
    Argument argument = {};
    const char* position = NextArgument(Platform::GetCommandLineA(), argument);
    for (const std::string& each : expected) {
        position = NextArgument(position, argument);
        RequireArgument(argument, each, "each argument split by the rules");
    }
    NextArgument(position, argument);
    RequireArgument(argument, "", "nothing after the last argument");
    const std::size_t count = expected.size();
    Require(ArgumentCount() == count, "ArgumentCount counts every argument");
    for (std::size_t n = 1; n <= count; n = (n == 64 && count > 128) ? count - 63 : n + 1) {
        ArgumentAt(n, argument);
        RequireArgument(argument, expected[n - 1], "ArgumentAt gives argument n");
    }
    ArgumentAt(count + 1, argument);
    RequireArgument(argument, "", "argument count+1 empty");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const char* end = bytes + size;
    const char* nul = std::find(bytes, end, '\0');
    const std::vector<SimulatedWindow> windows = WindowsFrom(nul == end ? end : nul + 1, end);
    SimulateDesktop(std::string(bytes, nul), windows);

    const std::vector<std::string> arguments = ModelArguments(std::string(bytes, nul));
    CheckArguments(arguments);
    const std::size_t count = arguments.size();
    RunDrapeno();

    Require(Desktop.ExitCodes == std::vector<UINT>{0}, "one exit, with code 0");
    Require(Desktop.ShowWindowCalls.size() <= 1, "at most one ShowWindow call");
    Require(Desktop.MessageBoxCalls.size() == (count == 0 ? 1U : 0U), "usage box exactly when no arguments");
    Require(Desktop.ShowWindowCalls ==
                (count == 0 ? std::vector<ShowWindowCall>{} : ExpectedCalls(arguments[0], windows)),
            "the first matching window, with the pass's command");
    return 0;
}
