// The connection to sway. One request has one end time, fixed when it is sent:
// a compositor that stops answering, or trickles its reply a byte at a time,
// cannot hold Drapeno past it.
#include "platform/sway/ipc.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/linux/desktop.h"

namespace Sway {

namespace {

using Clock = std::chrono::steady_clock;

constexpr char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::size_t HeaderSize = sizeof Magic + 8;
constexpr std::uint32_t MaxReply = 64U << 20;  // a tree of many thousand windows

int Socket = -1;

// Whether the socket is ready for the events before the request's end.
bool Ready(short events, Clock::time_point end) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
    pollfd entry = {Socket, events, 0};
    return left > 0 && poll(&entry, 1, static_cast<int>(left)) > 0;
}

bool SendAll(const char* bytes, std::size_t length, Clock::time_point end) {
    while (length > 0) {
        const ssize_t sent = Ready(POLLOUT, end) ? send(Socket, bytes, length, MSG_NOSIGNAL) : -1;
        if (sent <= 0) {
            return false;
        }
        bytes += sent;
        length -= static_cast<std::size_t>(sent);
    }
    return true;
}

bool ReceiveAll(char* bytes, std::size_t length, Clock::time_point end) {
    while (length > 0) {
        const ssize_t got = Ready(POLLIN, end) ? recv(Socket, bytes, length, 0) : -1;
        if (got <= 0) {
            return false;
        }
        bytes += got;
        length -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace

// Non-blocking: a sway whose queue of connections is full refuses at once.
bool IpcConnect() {
    const char* path = std::getenv("SWAYSOCK");
    sockaddr_un address = {};
    if (path == nullptr || *path == '\0' || std::strlen(path) >= sizeof address.sun_path) {
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path, std::strlen(path));  // the NUL is already there
    Socket = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (Socket < 0) {
        return false;
    }
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

// The reply must be to this request: its type is the request's.
std::string IpcRequest(IpcType type, const std::string& payload) {
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Desktop::MillisecondsLeft());
    char header[HeaderSize] = {};
    const std::uint32_t length = static_cast<std::uint32_t>(payload.size());
    std::memcpy(header, Magic, sizeof Magic);
    std::memcpy(header + sizeof Magic, &length, 4);  // native byte order, as i3-ipc has it
    std::memcpy(header + sizeof Magic + 4, &type, 4);
    if (Socket < 0 || !SendAll(header, HeaderSize, end) || !SendAll(payload.data(), payload.size(), end) ||
        !ReceiveAll(header, HeaderSize, end) || std::memcmp(header, Magic, sizeof Magic) != 0 ||
        std::memcmp(header + sizeof Magic + 4, &type, 4) != 0) {
        return {};
    }
    std::uint32_t replyLength = 0;
    std::memcpy(&replyLength, header + sizeof Magic, 4);
    if (replyLength > MaxReply) {
        return {};
    }
    std::string reply(replyLength, '\0');
    return ReceiveAll(&reply[0], replyLength, end) ? reply : std::string();
}

}  // namespace Sway
