#include "platform/gnome/bus.h"

#include <chrono>

#include "platform/linux/desktop.h"
#include "platform/linux/sd_bus.h"

namespace GNOME {

namespace {

sd_bus* Bus = nullptr;

// Handles what comes in on the bus until it is ready, for the patience of one
// answer at most: sd-bus's own wait has no bound for a bus that accepts the
// connection and never answers.
void AwaitReady() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Desktop::MillisecondsLeft());
    for (Clock::time_point now = Clock::now(); SdBus::sd_bus_is_ready(Bus) == 0 && now < end;
         now = Clock::now()) {
        const int processed = SdBus::sd_bus_process(Bus, nullptr);
        if (processed < 0) {
            return;
        }
        if (processed == 0) {
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - now).count();
            SdBus::sd_bus_wait(Bus, static_cast<std::uint64_t>(left));
        }
    }
}

sd_bus_message* Call(const char* service, const char* path, const char* interface, const char* method,
                     char type, const void* argument) {
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    const int left = Desktop::MillisecondsLeft();
    // A timeout of 0 would be sd-bus's default of 25 s.
    if (left > 0 &&
        SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method) >= 0 &&
        (argument == nullptr || SdBus::sd_bus_message_append_basic(call, type, argument) >= 0)) {
        SdBus::sd_bus_call(Bus, call, static_cast<std::uint64_t>(left) * 1000U, nullptr, &reply);
    }
    SdBus::sd_bus_message_unref(call);
    return reply;
}

}  // namespace

bool BusConnect() {
    if (!SdBus::Load() || SdBus::sd_bus_open_user(&Bus) < 0) {
        return false;
    }
    AwaitReady();
    if (SdBus::sd_bus_is_ready(Bus) <= 0) {
        BusDisconnect();
        return false;
    }
    return true;
}

// Closed without a flush, which too could wait without a bound: every call
// has had its answer by then.
void BusDisconnect() {
    if (Bus != nullptr) {
        Bus = SdBus::sd_bus_close_unref(Bus);
    }
}

bool IsOwned(const char* name) {
    sd_bus_message* reply = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "NameHasOwner", 's', name);
    int owned = 0;
    if (reply != nullptr && SdBus::sd_bus_message_read_basic(reply, 'b', &owned) <= 0) {
        owned = 0;
    }
    SdBus::sd_bus_message_unref(reply);
    return owned != 0;
}

sd_bus_message* CallExtension(const char* method, const std::uint64_t* id) {
    return Call("org.drapeno.Shell", "/org/drapeno/Shell", "org.drapeno.Shell", method, 't', id);
}

}  // namespace GNOME
