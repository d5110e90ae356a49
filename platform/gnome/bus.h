// The session bus connection, over sd-bus, to GNOME Shell and Drapeno's
// extension inside it. Every wait ends by the run's deadline.
#pragma once

#include <systemd/sd-bus.h>

#include <cstddef>
#include <cstdint>

namespace GNOME {

// True when the bus answers.
bool BusConnect();
void BusDisconnect();

// True when NAME has an owner on the bus.
bool IsOwned(const char* name);

// GNOME Shell's own version, its ShellVersion property, copied into VERSION
// and cut to SIZE; false when the shell gave no text in time.
bool ShellVersion(char* version, std::size_t size);

// Calls a method of the extension, with a window's id where one is given; the
// reply, to be unreferenced, or null when the call failed or no answer came
// in time.
sd_bus_message* CallExtension(const char* method, const std::uint64_t* id = nullptr);

}  // namespace GNOME
