// libsystemd, opened with dlopen: linked in, it would be loaded, with its own
// eight libraries, by every run of Drapeno, X11 ones included (about 1.3 ms).
#include "platform/linux/sd_bus.h"

#include <dlfcn.h>

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

}  // namespace SdBus
