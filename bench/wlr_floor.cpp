// scripts/bench-wayland's floor under labwc: the least a client of
// wlr-foreign-toplevel-management does to hide a window by title. It
// connects, takes the toplevels in one round trip, minimises the first
// visible one with the title (compared whole, case and all) and waits until
// the compositor reports it minimised. Usage: wlr_floor TITLE
#include <wayland-client.h>

#include <cstring>
#include <deque>
#include <string>

#include "foreign-toplevel.h"

namespace {

struct Toplevel {
    zwlr_foreign_toplevel_handle_v1* Handle = nullptr;
    std::string Title;
    bool Minimised = false;
};

std::deque<Toplevel> Toplevels;

void Title(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
    static_cast<Toplevel*>(data)->Title = title;
}
void AppId(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void Output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void State(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    bool minimised = false;
    for (std::size_t at = 0; at + 4 <= states->size; at += 4) {
        std::uint32_t state = 0;
        std::memcpy(&state, static_cast<char*>(states->data) + at, 4);
        minimised |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
    }
    static_cast<Toplevel*>(data)->Minimised = minimised;
}
void Done(void*, zwlr_foreign_toplevel_handle_v1*) {}
void Closed(void*, zwlr_foreign_toplevel_handle_v1*) {}
void Parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}
const zwlr_foreign_toplevel_handle_v1_listener ToplevelListener = {Title, AppId, Output, Output,
                                                                   State, Done,  Closed, Parent};

void Announce(void*, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
    Toplevels.emplace_back();
    Toplevels.back().Handle = handle;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &ToplevelListener, &Toplevels.back());
}
void Finished(void*, zwlr_foreign_toplevel_manager_v1*) {}
const zwlr_foreign_toplevel_manager_v1_listener ManagerListener = {Announce, Finished};

void Global(void*, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
    if (std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) == 0) {
        auto* manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface, 3));
        zwlr_foreign_toplevel_manager_v1_add_listener(manager, &ManagerListener, nullptr);
    }
}
void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener RegistryListener = {Global, GlobalRemove};

}  // namespace

int main(int argc, char** argv) {
    wl_display* display = wl_display_connect(nullptr);
    if (argc != 2 || display == nullptr) {
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &RegistryListener, nullptr);
    wl_display_roundtrip(display);
    wl_display_roundtrip(display);
    for (const Toplevel& toplevel : Toplevels) {
        if (!toplevel.Minimised && toplevel.Title == argv[1]) {
            zwlr_foreign_toplevel_handle_v1_set_minimized(toplevel.Handle);
            while (!toplevel.Minimised && wl_display_dispatch(display) >= 0) {
            }
            break;
        }
    }
    wl_display_disconnect(display);
    return 0;
}
