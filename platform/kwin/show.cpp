// ShowWindow under KWin. Hiding minimises the window and takes it out of the
// task bar, the pager and the window switcher; which of those it was already
// out of is noted inside KWin, so that showing it, in a later run, undoes
// exactly what the hide did. Showing also leaves maximised and full-screen
// states and activates the window.
#include <cstring>
#include <string>

#include "platform/kwin/script.h"
#include "platform/kwin/walk.h"

namespace KWin {

namespace {

constexpr const char* Skips[] = {"skipTaskbar", "skipPager", "skipSwitcher"};

// The id goes into the script's text: only a UUID's characters pass.
bool IsUuid(const char* id) {
    return *id != '\0' && std::strspn(id, "0123456789abcdefABCDEF{}-") == std::strlen(id);
}

std::string NoteName(const KWinRecord& record, int skip) {
    return std::string("drapeno-kept-") + Skips[skip] + "-" + record.Id;
}

std::string ActScript(const KWinRecord& record, const std::string& action) {
    return std::string(
               "(function () {\n    var all = workspace.windowList ? workspace.windowList() : "
               "workspace.clientList();\n") +
           "    for (var i = 0; i < all.length; ++i) {\n        var w = all[i];\n        if "
           "(String(w.internalId) == \"" +
           record.Id + "\") {\n" + action + "        }\n    }\n    DRAPENO_REPLY(\"done\");\n})();\n";
}

std::string HideAction(const KWinRecord& record) {
    const bool skipped[] = {record.SkipTaskbar, record.SkipPager, record.SkipSwitcher};
    for (int skip = 0; skip < 3; ++skip) {
        TakeNote(NoteName(record, skip));  // one left from a hide that was undone elsewhere
        if (skipped[skip]) {
            AddNote(NoteName(record, skip));
        }
    }
    // Minimised first: KWin puts an X11 window's skipTaskbar back to the
    // window's own whenever the window is minimised or un-minimised.
    return "            w.minimized = true; w.skipTaskbar = true; w.skipPager = true; w.skipSwitcher = "
           "true;\n";
}

std::string ShowAction(const KWinRecord& record) {
    std::string action;
    if (HiddenByDrapeno(record)) {
        for (int skip = 0; skip < 3; ++skip) {
            action += std::string("            w.") + Skips[skip] + " = " +
                      (TakeNote(NoteName(record, skip)) ? "true" : "false") + ";\n";
        }
    }
    return action +
           "            w.minimized = false; w.fullScreen = false; w.setMaximize(false, false);\n"
           "            if ('activeWindow' in workspace) { workspace.activeWindow = w; } else { "
           "workspace.activeClient = w; }\n";
}

}  // namespace

// The script answers once it has acted, or found the window gone.
BOOL ShowWindow(HWND window, int command) {
    const KWinRecord& record = Desktop::RecordOf<KWinRecord>(window);
    if (!IsUuid(record.Id)) {
        return 0;
    }
    const std::string action = command == SW_HIDE ? HideAction(record) : ShowAction(record);
    return RunScript(ActScript(record, action)).empty() ? 0 : 1;
}

}  // namespace KWin
