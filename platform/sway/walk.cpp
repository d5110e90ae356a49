// EnumWindows under sway: one get_tree, read into records in sway's focus
// order.
#include <vector>

#include "platform/sway/ipc.h"
#include "platform/sway/reply.h"
#include "platform/sway/sway.h"
#include "platform/sway/walk.h"

namespace Sway {

namespace {

std::vector<ViewRecord> Walk;

bool Connect() {
    return IpcConnect();
}

void Disconnect() {
    IpcDisconnect();
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM value) {
    ReadTree(IpcRequest(GetTree, ""), Walk);
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
