// The few sd-bus calls Drapeno makes, bound when a desktop on the session bus
// (KWin, GNOME Shell) is first asked for: libsystemd and the libraries it
// pulls in are loaded only in a Wayland session, never in an X11 run.
#pragma once

#include <systemd/sd-bus.h>

namespace SdBus {

// Loads libsystemd and binds the calls below; false when it is not there.
bool Load();

extern decltype(&::sd_bus_open_user) sd_bus_open_user;
extern decltype(&::sd_bus_close_unref) sd_bus_close_unref;
extern decltype(&::sd_bus_is_ready) sd_bus_is_ready;
extern decltype(&::sd_bus_get_unique_name) sd_bus_get_unique_name;
extern decltype(&::sd_bus_add_object) sd_bus_add_object;
extern decltype(&::sd_bus_message_new_method_call) sd_bus_message_new_method_call;
extern decltype(&::sd_bus_message_append_basic) sd_bus_message_append_basic;
extern decltype(&::sd_bus_message_read_basic) sd_bus_message_read_basic;
extern decltype(&::sd_bus_message_enter_container) sd_bus_message_enter_container;
extern decltype(&::sd_bus_message_exit_container) sd_bus_message_exit_container;
extern decltype(&::sd_bus_message_get_sender) sd_bus_message_get_sender;
extern decltype(&::sd_bus_message_unref) sd_bus_message_unref;
extern decltype(&::sd_bus_call) sd_bus_call;
extern decltype(&::sd_bus_reply_method_return) sd_bus_reply_method_return;
extern decltype(&::sd_bus_process) sd_bus_process;
extern decltype(&::sd_bus_wait) sd_bus_wait;

}  // namespace SdBus
