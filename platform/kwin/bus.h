// The session bus connection, over sd-bus: calls to KWin, and the answers its
// scripts hand back as calls on our own object. Every wait ends by the run's
// deadline.
#pragma once

#include <systemd/sd-bus.h>

#include <string>

namespace KWin {

// True when the bus answers and KWin is on it.
bool BusConnect();
void BusDisconnect();

// Our connection's unique name, where scripts send their answers.
const char* OurBusName();

// Calls a method of KWin's org.kde.kwin.Scripting with up to two string
// arguments; the reply, to be unreferenced, or null when the call failed or
// no answer came in time.
sd_bus_message* CallScripting(const char* method, const char* first = nullptr, const char* second = nullptr);

// Waits for KWin's connection, and no other, to call Reply(token, text) on
// our object with this token; the text, empty when none came in time.
std::string AwaitReply(const std::string& token);

}  // namespace KWin
