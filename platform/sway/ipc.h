// sway's IPC: i3-ipc framing over a Unix socket, one request at a time.
#pragma once

#include <cstdint>
#include <string>

namespace Sway {

enum IpcType : std::uint32_t { RunCommand = 0, GetTree = 4, GetVersion = 7 };

bool IpcConnect();
void IpcDisconnect();

// Sends one request and returns its reply's payload; empty when the socket
// fails, the reply is malformed or larger than the bound, or does not come
// whole within the desktop's patience.
std::string IpcRequest(IpcType type, const std::string& payload);

}  // namespace Sway
