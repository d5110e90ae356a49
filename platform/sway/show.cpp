// ShowWindow under sway, one command list per call, acting by con_id. Hiding
// moves the window to the scratchpad, sway's own hide; a tiled window is
// marked first, so that showing it, in a later run, puts it back into the
// tiling, while a floating one stays floating. Showing also leaves full screen,
// as a window comes back in its normal size.
#include <string>

#include "platform/sway/ipc.h"
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


// A window closed since the walk makes sway answer "no matching node"; the
// answer is not read, as no other failure is.
BOOL ShowWindow(HWND window, int command) {
    const ViewRecord& record = Desktop::RecordOf<ViewRecord>(window);
    const std::string id = std::to_string(record.ConId);
    const std::string criteria = "[con_id=" + id + "]";
    const std::string mark = TiledMark + id;
    const std::string commands =
        command == SW_HIDE ? HideCommand(record, criteria, mark) : ShowCommand(record, criteria, mark);
    return IpcRequest(RunCommand, commands).empty() ? 0 : 1;
}

}  // namespace Sway
