// libsystemd, opened with dlopen: linked in, it would be loaded, with its own
// eight libraries, by every run of Drapeno, X11 ones included (about 1.3 ms).
#include "platform/linux/sd_bus.h"

#include <dlfcn.h>

#include <cerrno>
#include <chrono>

#include "platform/linux/desktop.h"

namespace SdBus {

decltype(&::sd_bus_open_user) sd_bus_open_user = nullptr;
decltype(&::sd_bus_close_unref) sd_bus_close_unref = nullptr;
decltype(&::sd_bus_is_ready) sd_bus_is_ready = nullptr;
decltype(&::sd_bus_get_unique_name) sd_bus_get_unique_name = nullptr;
decltype(&::sd_bus_add_object) sd_bus_add_object = nullptr;
decltype(&::sd_bus_message_new_method_call) sd_bus_message_new_method_call = nullptr;
decltype(&::sd_bus_message_append_basic) sd_bus_message_append_basic = nullptr;
decltype(&::sd_bus_message_read_basic) sd_bus_message_read_basic = nullptr;
decltype(&::sd_bus_message_enter_container) sd_bus_message_enter_container = nullptr;
decltype(&::sd_bus_message_exit_container) sd_bus_message_exit_container = nullptr;
decltype(&::sd_bus_message_get_sender) sd_bus_message_get_sender = nullptr;
decltype(&::sd_bus_message_unref) sd_bus_message_unref = nullptr;
decltype(&::sd_bus_call) sd_bus_call = nullptr;
decltype(&::sd_bus_reply_method_return) sd_bus_reply_method_return = nullptr;
decltype(&::sd_bus_process) sd_bus_process = nullptr;
decltype(&::sd_bus_wait) sd_bus_wait = nullptr;

namespace {

template <typename Function>
bool Bind(void* library, Function& function, const char* name) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

}  // namespace

bool Load() {
    void* library = dlopen("libsystemd.so.0", RTLD_NOW | RTLD_LOCAL);
    return library != nullptr && Bind(library, sd_bus_open_user, "sd_bus_open_user") &&
           Bind(library, sd_bus_close_unref, "sd_bus_close_unref") &&
           Bind(library, sd_bus_is_ready, "sd_bus_is_ready") &&
           Bind(library, sd_bus_get_unique_name, "sd_bus_get_unique_name") &&
           Bind(library, sd_bus_add_object, "sd_bus_add_object") &&
           Bind(library, sd_bus_message_new_method_call, "sd_bus_message_new_method_call") &&
           Bind(library, sd_bus_message_append_basic, "sd_bus_message_append_basic") &&
           Bind(library, sd_bus_message_read_basic, "sd_bus_message_read_basic") &&
           Bind(library, sd_bus_message_enter_container, "sd_bus_message_enter_container") &&
           Bind(library, sd_bus_message_exit_container, "sd_bus_message_exit_container") &&
           Bind(library, sd_bus_message_get_sender, "sd_bus_message_get_sender") &&
           Bind(library, sd_bus_message_unref, "sd_bus_message_unref") &&
           Bind(library, sd_bus_call, "sd_bus_call") &&
           Bind(library, sd_bus_reply_method_return, "sd_bus_reply_method_return") &&
           Bind(library, sd_bus_process, "sd_bus_process") && Bind(library, sd_bus_wait, "sd_bus_wait");
}

namespace {

sd_bus* Waiting = nullptr;  // the bus OpenUserBus brings up

bool Ready() {
    return sd_bus_is_ready(Waiting) != 0;
}

}  // namespace

sd_bus* OpenUserBus() {
    sd_bus* bus = nullptr;
    if (!Load() || sd_bus_open_user(&bus) < 0) {
        return nullptr;
    }
    Waiting = bus;
    ProcessUntil(bus, Ready);
    if (sd_bus_is_ready(bus) <= 0) {
        Desktop::DidNotAnswer();
        return Close(bus);
    }
    return bus;
}

void ProcessUntil(sd_bus* bus, bool (*done)()) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Desktop::MillisecondsLeft());
    for (Clock::time_point now = Clock::now(); !done() && now < end; now = Clock::now()) {
        const int processed = sd_bus_process(bus, nullptr);
        if (processed < 0) {
            return;
        }
        if (processed == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - now).count();
            sd_bus_wait(bus, static_cast<std::uint64_t>(left));
        }
    }
}

sd_bus_message* CallWithin(sd_bus* bus, sd_bus_message* call) {
    sd_bus_message* reply = nullptr;
    const int left = Desktop::MillisecondsLeft();
    if (call != nullptr && left > 0 &&  // a timeout of 0 would be sd-bus's default of 25 s
        sd_bus_call(bus, call, static_cast<std::uint64_t>(left) * 1000U, nullptr, &reply) == -ETIMEDOUT) {
        Desktop::DidNotAnswer();
    }
    sd_bus_message_unref(call);
    return reply;
}

sd_bus* Close(sd_bus* bus) {
    return bus != nullptr ? sd_bus_close_unref(bus) : nullptr;
}

}  // namespace SdBus
