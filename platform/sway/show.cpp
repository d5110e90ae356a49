// ShowWindow under sway, one command list per call, acting by con_id. Hiding
// moves the window to the scratchpad, sway's own hide; a tiled window is
// marked first, so that showing it, in a later run, puts it back into the
// tiling, while a floating one stays floating. Showing also leaves full screen,
// as a window comes back in its normal size.
#include <cstdio>
#include <string>

#include "platform/sway/ipc.h"
#include "platform/sway/reply.h"
#include "platform/sway/walk.h"

namespace Sway {

namespace {

std::string HideCommand(const ViewRecord& record, const std::string& criteria, const std::string& mark) {
    // A mark left from an earlier hide of a window now floating is dropped.
    return criteria + (record.Floating ? " unmark " : " mark --add ") + mark + ", move scratchpad";
}

// scratchpad show toggles: it is sent only for a window in the scratchpad.
std::string ShowCommand(const ViewRecord& record, const std::string& criteria, const std::string& mark) {
    if (!record.Hidden) {
        return criteria + " fullscreen disable, focus";
    }
    const std::string tiling = record.WasTiled ? ", floating disable, unmark " + mark : "";
    return criteria + " scratchpad show" + tiling + ", fullscreen disable, focus";
}

}  // namespace

// A window closed since the walk makes sway answer "no matching node", and
// that is passed over, as any failure sway reports: only an answer that does
// not come, or is not sway's, is worth a line.
BOOL ShowWindow(HWND window, int command) {
    const ViewRecord& record = Desktop::RecordOf<ViewRecord>(window);
    const std::string id = std::to_string(record.ConId);
    const std::string criteria = "[con_id=" + id + "]";
    const std::string mark = TiledMark + id;
    const std::string commands =
        command == SW_HIDE ? HideCommand(record, criteria, mark) : ShowCommand(record, criteria, mark);
    const std::string reply = IpcRequest(RunCommand, commands);
    if (!IsCommandReply(reply)) {
        static_cast<void>(std::fputs(reply.empty() ? "Drapeno: sway did not answer the command\n"
                                                   : "Drapeno: sway answered the command with no results\n",
                                     stderr));
        return 0;
    }
    return 1;
}

}  // namespace Sway
