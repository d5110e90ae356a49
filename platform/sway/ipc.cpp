// The connection to sway. Every wait on the socket is bounded, so a
// compositor that stops answering cannot hold Drapeno.
#include "platform/sway/ipc.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace Sway {

namespace {

constexpr char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::size_t HeaderSize = sizeof Magic + 8;
constexpr std::uint32_t MaxReply = 64U << 20;  // a tree of many thousand windows
constexpr timeval Patience = {2, 0};

int Socket = -1;

bool SendAll(const char* bytes, std::size_t length) {
    while (length > 0) {
        const ssize_t sent = send(Socket, bytes, length, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        bytes += sent;
        length -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool ReceiveAll(char* bytes, std::size_t length) {
    while (length > 0) {
        const ssize_t got = recv(Socket, bytes, length, 0);
        if (got <= 0) {
            return false;
        }
        bytes += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

bool IpcConnect() {
    const char* path = std::getenv("SWAYSOCK");
    sockaddr_un address = {};
    if (path == nullptr || *path == '\0' || std::strlen(path) >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path, std::strlen(path));  // the NUL is already there
    Socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (Socket < 0) {
        return false;
    }
    setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Patience, sizeof Patience);
    setsockopt(Socket, SOL_SOCKET, SO_SNDTIMEO, &Patience, sizeof Patience);
    if (connect(Socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        IpcDisconnect();
        return false;
    }
    return true;
}

void IpcDisconnect() {
    if (Socket >= 0) {
        close(Socket);
        Socket = -1;
    }
}

std::string IpcRequest(IpcType type, const std::string& payload) {
    char header[HeaderSize] = {};
    const std::uint32_t length = static_cast<std::uint32_t>(payload.size());
    std::memcpy(header, Magic, sizeof Magic);
    std::memcpy(header + sizeof Magic, &length, 4);  // native byte order, as i3-ipc has it
    std::memcpy(header + sizeof Magic + 4, &type, 4);
    if (Socket < 0 || !SendAll(header, HeaderSize) || !SendAll(payload.data(), payload.size()) ||
        !ReceiveAll(header, HeaderSize) || std::memcmp(header, Magic, sizeof Magic) != 0) {
        return {};
    }
    std::uint32_t replyLength = 0;
    std::memcpy(&replyLength, header + sizeof Magic, 4);
    if (replyLength > MaxReply) {
        return {};
    }
    std::string reply(replyLength, '\0');
    return ReceiveAll(&reply[0], replyLength) ? reply : std::string();
}

}  // namespace Sway
