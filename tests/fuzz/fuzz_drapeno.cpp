// Arbitrary bytes as the raw command line and the desktop of one run. Besides
// never crashing, hanging or touching memory out of bounds, every run must keep
// these: at most one ShowWindow call, on the first matching window in
// enumeration order; no argument over ArgumentCapacity bytes; ArgumentCount and
// ArgumentAt agree; exit code 0.
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

// Walks every token once, then asks ArgumentAt for a sample of positions: all
// of them for short lists, the first and last 64 of long ones (each call
// rescans the line), and the one after the last.
std::string CheckArguments(std::size_t count) {
    Argument argument = {};
    const char* position = NextArgument(Platform::GetCommandLineA(), argument);
    std::size_t walked = 0;
    for (;;) {
        position = NextArgument(position, argument);
        Require(argument.Length <= ArgumentCapacity, "argument within its bound");
        if (argument.Length == 0) {
            break;
        }
        ++walked;
    }
    Require(walked == count, "ArgumentCount counts every token");
    for (std::size_t n = 1; n <= count; n = (n == 64 && count > 128) ? count - 63 : n + 1) {
        ArgumentAt(n, argument);
        Require(argument.Length > 0 && argument.Length <= ArgumentCapacity, "arguments 1..count non-empty");
    }
    ArgumentAt(count + 1, argument);
    Require(argument.Length == 0, "argument count+1 empty");
    ArgumentAt(1, argument);
    return std::string(ArgumentText(argument));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    const char* end = bytes + size;
    const char* nul = std::find(bytes, end, '\0');
    const std::vector<SimulatedWindow> windows = WindowsFrom(nul == end ? end : nul + 1, end);
    SimulateDesktop(std::string(bytes, nul), windows);

    const std::size_t count = ArgumentCount();
    const std::string first = CheckArguments(count);
    RunDrapeno();

    Require(Desktop.ExitCodes == std::vector<UINT>{0}, "one exit, with code 0");
    Require(Desktop.ShowWindowCalls.size() <= 1, "at most one ShowWindow call");
    Require(Desktop.MessageBoxCalls.size() == (count == 0 ? 1U : 0U), "usage box exactly when no arguments");
    Require(Desktop.ShowWindowCalls ==
                (count == 0 ? std::vector<ShowWindowCall>{} : ExpectedCalls(first, windows)),
            "the first matching window, with the pass's command");
    return 0;
}
