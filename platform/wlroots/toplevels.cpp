// The manager's and each toplevel's events. Whatever the compositor sends is
// taken within bounds: titles are cut at 255 bytes, states it does not name
// here are passed over, and an array of states is read whole entries only.
#include "platform/wlroots/toplevels.h"

#include <cstdint>
#include <cstring>

namespace Wlroots {

std::deque<Toplevel> Announced;

namespace {

Toplevel& Of(void* data) {
    return *static_cast<Toplevel*>(data);
}

void Title(void* data, zwlr_foreign_toplevel_handle_v1* /*handle*/, const char* title) {
    Of(data).Title.Assign(title, std::strlen(title));
}

void AppId(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/, const char* /*appId*/) {}

void Output(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/, wl_output* /*output*/) {}

void State(void* data, zwlr_foreign_toplevel_handle_v1* /*handle*/, wl_array* states) {
    Toplevel& toplevel = Of(data);
    toplevel.Minimised = toplevel.Maximised = toplevel.FullScreen = toplevel.Activated = false;
    const char* bytes = static_cast<const char*>(states->data);
    for (std::size_t at = 0; at + sizeof(std::uint32_t) <= states->size; at += sizeof(std::uint32_t)) {
        std::uint32_t state = 0;
        std::memcpy(&state, bytes + at, sizeof state);
        toplevel.Minimised |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
        toplevel.Maximised |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MAXIMIZED;
        toplevel.FullScreen |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_FULLSCREEN;
        toplevel.Activated |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
    }
}

void Done(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/) {}

void Closed(void* data, zwlr_foreign_toplevel_handle_v1* /*handle*/) {
    Of(data).Closed = true;
}

void Parent(void* /*data*/, zwlr_foreign_toplevel_handle_v1* /*handle*/,
            zwlr_foreign_toplevel_handle_v1* /*parent*/) {}

const zwlr_foreign_toplevel_handle_v1_listener ToplevelListener = {Title, AppId, Output, Output,
                                                                   State, Done,  Closed, Parent};

void Announce(void* /*data*/, zwlr_foreign_toplevel_manager_v1* /*manager*/,
              zwlr_foreign_toplevel_handle_v1* handle) {
    Announced.emplace_back();
    Announced.back().Handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &ToplevelListener, &Announced.back());
}

void Finished(void* /*data*/, zwlr_foreign_toplevel_manager_v1* /*manager*/) {}

const zwlr_foreign_toplevel_manager_v1_listener ManagerListener = {Announce, Finished};

}  // namespace

void ListenForToplevels() {
    zwlr_foreign_toplevel_manager_v1_add_listener(Session.Manager, &ManagerListener, nullptr);
}

std::vector<Toplevel*> WalkOrder() {
    std::vector<Toplevel*> order;
    for (const bool activated : {true, false}) {
        for (Toplevel& toplevel : Announced) {
            if (!toplevel.Closed && toplevel.Activated == activated) {
                order.push_back(&toplevel);
            }
        }
    }
    return order;
}

}  // namespace Wlroots
