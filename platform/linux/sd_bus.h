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

// sd-bus's own waits have no bound for a bus that accepts the connection and
// never answers: these end by the run's deadline.

// The user's session bus once it is up, within the patience of one answer;
// null when it is not there or does not come up.
sd_bus* OpenUserBus();
// Handles what comes in on BUS until DONE holds, for one answer's patience at
// most.
void ProcessUntil(sd_bus* bus, bool (*done)());
// Sends CALL, which it unreferences, and returns the reply (to be
// unreferenced), or null when the call failed or no answer came in time.
sd_bus_message* CallWithin(sd_bus* bus, sd_bus_message* call);
// Closed without a flush, which too could wait without a bound: every call
// has had its answer by then. Returns null.
sd_bus* Close(sd_bus* bus);

}  // namespace SdBus
