// sway's IPC: i3-ipc framing over a Unix socket, one request at a time.
#pragma once

#include <cstdint>
#include <string>

namespace Sway {

enum IpcType : std::uint32_t { RunCommand = 0, GetTree = 4 };

bool IpcConnect();
void IpcDisconnect();

// Sends one request and returns its reply's payload; empty when the socket
// fails, the reply is malformed or larger than the bound.
std::string IpcRequest(IpcType type, const std::string& payload);

}  // namespace Sway
