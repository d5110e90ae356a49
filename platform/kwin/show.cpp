// ShowWindow under KWin. Hiding minimises the window and takes it out of the
// task bar, the pager and the window switcher. The hide is a note: a script
// that stays loaded in KWin, knows which of the three the window was out of
// already, and gives back exactly those skips the moment the window is
// un-minimised, by a later show or by any other means (its program, the
// user), then unloads itself. A window KWin will not minimise (a window rule,
// or a type that never minimises) is left exactly as it was, and that is said:
// KWin's scripts have no other way to hide a window that leaves it unfocusable
// and out of sight, and a rule that forbids minimising is the user's own
// wish. Showing also leaves maximised and full-screen states and activates
// the window.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/kwin/script.h"
#include "platform/kwin/walk.h"

namespace KWin {

namespace {

// The id goes into the script's text: only a UUID's characters pass.
bool IsUuid(const char* id) {
    return *id != '\0' && std::strspn(id, "0123456789abcdefABCDEF{}-") == std::strlen(id);
}

std::string NoteName(const KWinRecord& record) {
    return std::string("drapeno-hidden-") + record.Id;
}

// The script answers "done" once it has acted, or found the window gone, and
// "refused" where KWin did not minimise the window.
std::string ActScript(const KWinRecord& record, const std::string& action) {
    return std::string("(function () {\n    var id = \"") + record.Id +
           "\";\n    var answer = \"done\";\n"
           "    var all = workspace.windowList ? workspace.windowList() : workspace.clientList();\n"
           "    for (var i = 0; i < all.length; ++i) {\n        var w = all[i];\n"
           "        if (String(w.internalId) == id) {\n" +
           action + "            break;\n        }\n    }\n    DRAPENO_REPLY(answer);\n})();\n";
}

// The window's own skips are read first: KWin puts an X11 window's
// skipTaskbar back to the window's own whenever the window is minimised or
// un-minimised, so the skips are set after. A window still not minimised
// (KWin minimises at once or not at all) keeps everything it had.
std::string HideAction(const char* note) {
    return std::string(
               "            var own = [w.skipTaskbar, w.skipPager, w.skipSwitcher];\n"
               "            w.minimized = true;\n"
               "            if (!w.minimized) { answer = \"refused\"; break; }\n"
               "            w.skipTaskbar = true; w.skipPager = true; w.skipSwitcher = true;\n") +
           note;
}

// Stays connected to the window until it is un-minimised or closed.
constexpr const char* Note = R"(            var removed = workspace.windowRemoved || workspace.clientRemoved;
            var back = function () {
                if (!w.minimized) {
                    w.skipTaskbar = own[0]; w.skipPager = own[1]; w.skipSwitcher = own[2];
                    forget();
                }
            };
            var gone = function (other) {
                if (String(other.internalId) == id) { forget(); }
            };
            var forget = function () {
                w.minimizedChanged.disconnect(back); removed.disconnect(gone); DRAPENO_UNLOAD();
            };
            w.minimizedChanged.connect(back);
            removed.connect(gone);
)";

// Where a note is there, it sets the window's own skips as it un-minimises; a
// window left in that state by something else comes back into all three.
std::string ShowAction(const KWinRecord& record) {
    return std::string(
               HiddenByDrapeno(record)
                   ? "            w.skipTaskbar = false; w.skipPager = false; w.skipSwitcher = false;\n"
                   : "") +
           "            w.minimized = false; w.fullScreen = false; w.setMaximize(false, false);\n"
           "            if ('activeWindow' in workspace) { workspace.activeWindow = w; } else { "
           "workspace.activeClient = w; }\n";
}

}  // namespace

// A window hidden again while its note is still loaded (it left the task bar
// by other means) keeps the note, which knows its own skips. A note whose
// window was not hidden is unloaded before the run ends.
BOOL ShowWindow(HWND window, int command) {
    const KWinRecord& record = Desktop::RecordOf<KWinRecord>(window);
    if (!IsUuid(record.Id)) {
        return 0;
    }
    std::string reply;
    if (command != SW_HIDE) {
        reply = RunScript(ActScript(record, ShowAction(record)));
    } else if (IsLoaded(NoteName(record))) {
        reply = RunScript(ActScript(record, HideAction("")));
    } else {
        reply = RunNote(ActScript(record, HideAction(Note)), NoteName(record));
        if (reply == "refused") {
            Unload(NoteName(record));
        }
    }
    if (reply == "refused") {
        Desktop::SayHideRefused();
    } else if (reply.empty()) {
        static_cast<void>(std::fputs("Drapeno: KWin did not answer the command\n", stderr));
    }
    return reply == "done" ? 1 : 0;
}

}  // namespace KWin
