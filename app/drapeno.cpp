#include "app/drapeno.h"

#include "cmdline/arguments.h"
#include "platform/platform.h"
#include "winctl/passes.h"

std::string_view TargetTitle;
std::string_view SwitchText;

namespace {

struct SwitchEntry {
    std::string_view Switch;
    void (*Pass)();
};

// Compared exactly, in this order: no folding, no trimming.
constexpr SwitchEntry SwitchTable[] = {
    {"-h", HidePass},
    {"-H", HidePass},
    {"-s", ShowPass},
    {"-S", ShowPass},
};

// Argument 1 lives as long as the program, since TargetTitle points into it.
Argument FirstArgument = {};

void RunSwitch() {
    ArgumentAt(1, FirstArgument);
    const char* bytes = FirstArgument.Bytes;
    const std::size_t length = FirstArgument.Length;
    SwitchText = std::string_view(bytes, length < 2 ? length : 2);
    // The third byte is dropped untested: "-h=Title" and "-hxTitle" are the same.
    TargetTitle = length > 3 ? std::string_view(bytes + 3, length - 3) : std::string_view();
    for (const SwitchEntry& entry : SwitchTable) {
        if (SwitchText == entry.Switch) {
            entry.Pass();
            return;
        }
    }
}

}  // namespace

void RunDrapeno() {
    if (ArgumentCount() == 0) {
        ShowUsage();
    } else {
        RunSwitch();
    }
    Platform::ExitProcess(0);
}
