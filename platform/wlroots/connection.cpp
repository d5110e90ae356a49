// The connection to a wlroots compositor: the socket WAYLAND_DISPLAY names,
// connected without blocking (a compositor whose queue of connections is full
// refuses at once), and libwayland's events read only when poll says they
// have come, never by a dispatch that could wait for ever.
#include "platform/wlroots/connection.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Wlroots {

Globals Session;

namespace {

struct Offer {
    std::uint32_t ManagerName = 0;
    std::uint32_t ManagerVersion = 0;
    std::uint32_t SeatName = 0;
};

void Global(void* data, wl_registry* /*registry*/, std::uint32_t name, const char* interface,
            std::uint32_t version) {
    Offer& offer = *static_cast<Offer*>(data);
    if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
        offer.ManagerName = name;
        offer.ManagerVersion = version;
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && offer.SeatName == 0) {
        offer.SeatName = name;
    }
}

void GlobalRemove(void* /*data*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

const wl_registry_listener RegistryListener = {Global, GlobalRemove};

void SyncDone(void* data, wl_callback* /*callback*/, std::uint32_t /*serial*/) {
    *static_cast<bool*>(data) = true;
}

const wl_callback_listener SyncListener = {SyncDone};

// WAYLAND_DISPLAY is a path, or a name in XDG_RUNTIME_DIR.
int ConnectSocket() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (name == nullptr || *name == '\0') {
        return -1;
    }
    std::string path = name;
    if (name[0] != '/') {
        if (runtime == nullptr || *runtime == '\0') {
            return -1;
        }
        path = std::string(runtime) + "/" + name;
    }
    sockaddr_un address = {};
    if (path.size() >= sizeof address.sun_path) {
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

bool Open() {
    const int fd = ConnectSocket();
    if (fd < 0) {
        return false;
    }
    Session.Display = wl_display_connect_to_fd(fd);
    if (Session.Display == nullptr) {
        close(fd);
        return false;
    }
    Offer offer;
    wl_registry* registry = wl_display_get_registry(Session.Display);
    wl_registry_add_listener(registry, &RegistryListener, &offer);
    if (!RoundTrip()) {
        Desktop::DidNotAnswer();
        return false;
    }
    if (offer.ManagerName == 0) {
        return false;
    }
    const std::uint32_t version = std::min(
        offer.ManagerVersion, static_cast<std::uint32_t>(zwlr_foreign_toplevel_manager_v1_interface.version));
    Session.Manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry, offer.ManagerName, &zwlr_foreign_toplevel_manager_v1_interface, version));
    if (offer.SeatName != 0) {
        Session.Seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, offer.SeatName, &wl_seat_interface, 1));
    }
    return true;
}

// The connection closes with the process: only the socket is given back.
void Close() {
    if (Session.Display != nullptr) {
        wl_display_disconnect(Session.Display);
        Session = Globals();
    }
}

bool DispatchPending() {
    return Session.Display != nullptr && wl_display_dispatch_pending(Session.Display) >= 0;
}

bool ReadOnce(Clock::time_point end) {
    wl_display* display = Session.Display;
    if (wl_display_prepare_read(display) != 0) {
        return true;  // events are queued already: the caller dispatches them
    }
    if (wl_display_flush(display) < 0 && errno != EAGAIN) {
        wl_display_cancel_read(display);
        return false;
    }
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
    pollfd entry = {wl_display_get_fd(display), POLLIN, 0};
    if (left <= 0 || poll(&entry, 1, static_cast<int>(left)) <= 0) {
        wl_display_cancel_read(display);
        return false;
    }
    return wl_display_read_events(display) == 0;
}

bool RoundTrip() {
    bool done = false;
    wl_callback* callback = wl_display_sync(Session.Display);
    wl_callback_add_listener(callback, &SyncListener, &done);
    const bool answered = DispatchUntil([&done] { return done; });
    wl_callback_destroy(callback);
    return answered;
}

}  // namespace Wlroots
