// The compositor's own account of its toplevels, through a listener of our
// own, for the wlroots tests: one line per toplevel, its app id, then shown or
// hidden (minimised), and active, maximised, fullscreen where they hold; then
// untitled where the compositor gave it no title, utf8 where the title is
// UTF-8 (a compositor may drop or mend a title that is not). With an
// action (maximise, fullscreen, activate) and an app id, it first does that to
// the window, as its user would. The caller bounds it with timeout.
#include <wayland-client.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>

#include "foreign-toplevel.h"

namespace {

struct Toplevel {
    zwlr_foreign_toplevel_handle_v1* Handle = nullptr;
    std::string AppId;
    std::string States;
    const char* Title = " untitled";
    bool Done = false;
};

std::deque<Toplevel> Toplevels;
zwlr_foreign_toplevel_manager_v1* Manager = nullptr;
wl_seat* Seat = nullptr;

void Title(void* data, zwlr_foreign_toplevel_handle_v1*, const char* title) {
    const bool utf8 = std::mbstowcs(nullptr, title, 0) != static_cast<std::size_t>(-1);
    static_cast<Toplevel*>(data)->Title = *title == '\0' ? " untitled" : utf8 ? " utf8" : "";
}
void AppId(void* data, zwlr_foreign_toplevel_handle_v1*, const char* id) {
    static_cast<Toplevel*>(data)->AppId = id;
}
void Output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void State(void* data, zwlr_foreign_toplevel_handle_v1*, wl_array* states) {
    const char* names[] = {" maximised", " hidden", " active", " fullscreen"};
    std::string words;
    bool minimised = false;
    for (std::size_t at = 0; at + 4 <= states->size; at += 4) {
        std::uint32_t state = 0;
        std::memcpy(&state, static_cast<char*>(states->data) + at, 4);
        minimised |= state == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED;
        words += state < 4 && state != ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED ? names[state] : "";
    }
    static_cast<Toplevel*>(data)->States = (minimised ? " hidden" : " shown") + words;
}
void Done(void* data, zwlr_foreign_toplevel_handle_v1*) {
    static_cast<Toplevel*>(data)->Done = true;
}
void Closed(void* data, zwlr_foreign_toplevel_handle_v1*) {
    static_cast<Toplevel*>(data)->AppId.clear();
}
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
        Manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface, 3));
        zwlr_foreign_toplevel_manager_v1_add_listener(Manager, &ManagerListener, nullptr);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0 && Seat == nullptr) {
        Seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    }
}
void GlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener RegistryListener = {Global, GlobalRemove};

void Act(const std::string& action, zwlr_foreign_toplevel_handle_v1* handle) {
    if (action == "maximise") {
        zwlr_foreign_toplevel_handle_v1_set_maximized(handle);
    } else if (action == "fullscreen") {
        zwlr_foreign_toplevel_handle_v1_set_fullscreen(handle, nullptr);
    } else if (action == "activate") {
        zwlr_foreign_toplevel_handle_v1_activate(handle, Seat);
    }
}

}  // namespace

int main(int argc, char** argv) {
    static_cast<void>(std::setlocale(LC_ALL, "C.UTF-8"));
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) {
        return 1;
    }
    wl_registry_add_listener(wl_display_get_registry(display), &RegistryListener, nullptr);
    if (wl_display_roundtrip(display) < 0 || Manager == nullptr) {
        return 1;
    }
    // wayfire tells a toplevel's state a while after announcing it: a few
    // more round trips, until every toplevel has had its first done.
    for (int trips = 0; trips < 50; ++trips) {
        if (wl_display_roundtrip(display) < 0) {
            return 1;
        }
        if (std::all_of(Toplevels.begin(), Toplevels.end(),
                        [](const Toplevel& toplevel) { return toplevel.Done; })) {
            break;
        }
    }
    for (const Toplevel& toplevel : Toplevels) {
        if (argc == 3 && toplevel.AppId == argv[2]) {
            Act(argv[1], toplevel.Handle);
            wl_display_roundtrip(display);
            wl_display_roundtrip(display);
        }
    }
    for (const Toplevel& toplevel : Toplevels) {
        if (argc != 3 && !toplevel.AppId.empty()) {
            std::printf("%s%s%s\n", toplevel.AppId.c_str(), toplevel.States.c_str(), toplevel.Title);
        }
    }
    return 0;
}
