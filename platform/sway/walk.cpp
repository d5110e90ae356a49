// EnumWindows under sway: one get_tree, read into records in sway's focus
// order. sway is the session's desktop only once it has answered get_version:
// a socket left over from an ended sway, or one that does not answer in time,
// lets the chooser go on to the next desktop.
#include <cstdio>
#include <vector>

#include "platform/sway/ipc.h"
#include "platform/sway/reply.h"
#include "platform/sway/sway.h"
#include "platform/sway/walk.h"

namespace Sway {

namespace {

std::vector<ViewRecord> Walk;

bool Connect() {
    if (!IpcConnect()) {
        return false;
    }
    const std::string version = IpcRequest(GetVersion, "");
    if (IsVersion(version)) {
        return true;
    }
    if (version.empty()) {
        Desktop::DidNotAnswer();
    }
    IpcDisconnect();
    return false;
}

void Disconnect() {
    IpcDisconnect();
}

// sway answered get_version: a tree that does not come is worth a line, as
// the run would otherwise find no window, silently.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    const std::string reply = IpcRequest(GetTree, "");
    if (!ReadTree(reply, Walk)) {
        static_cast<void>(std::fputs(reply.empty() ? "Drapeno: sway did not answer get_tree\n"
                                                   : "Drapeno: sway answered get_tree with no tree\n",
                                     stderr));
    }
    return Desktop::PresentEach(Walk, callback, value);
}

BOOL IsWindowVisible(HWND window) {
    return Desktop::RecordOf<ViewRecord>(window).Hidden ? 0 : 1;
}

const Desktop::Title& TitleOf(HWND window) {
    return Desktop::RecordOf<ViewRecord>(window).Title;
}

}  // namespace

const Desktop::Operations Operations = {Connect,         Disconnect, EnumWindows,
                                        IsWindowVisible, TitleOf,    ShowWindow};

}  // namespace Sway
