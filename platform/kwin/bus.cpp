// The session bus connection, over sd-bus. Any peer on the bus may call our
// object, and a script that was too late for an earlier wait may still answer:
// an answer counts only from the connection that owns KWin's name and with
// the token of the script waited for.
#include "platform/kwin/bus.h"

#include <cerrno>
#include <chrono>
#include <cstdint>

#include "platform/linux/desktop.h"
#include "platform/linux/sd_bus.h"

namespace KWin {

namespace {

constexpr const char* ReplyPath = "/Drapeno";

sd_bus* Bus = nullptr;
std::string KWinName;  // the unique name owning org.kde.KWin
std::string Expected;  // the token of the script waited for; empty when none is
std::string Reply;
bool Replied = false;

int TakeReply(sd_bus_message* message, void*, sd_bus_error*) {
    const char* sender = SdBus::sd_bus_message_get_sender(message);
    const char* token = nullptr;
    const char* text = nullptr;
    if (Replied || Expected.empty() || sender == nullptr || KWinName != sender ||
        SdBus::sd_bus_message_read_basic(message, 's', &token) <= 0 || Expected != token ||
        SdBus::sd_bus_message_read_basic(message, 's', &text) <= 0) {
        return -EACCES;
    }
    Reply = text;
    Replied = true;
    return SdBus::sd_bus_reply_method_return(message, nullptr);
}

// Handles what comes in on the bus until DONE holds, for the patience of one
// answer at most.
template <typename Done>
void ProcessUntil(Done done) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(Desktop::MillisecondsLeft());
    for (Clock::time_point now = Clock::now(); !done() && now < end; now = Clock::now()) {
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
                     const char* first, const char* second) {
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    const int left = Desktop::MillisecondsLeft();
    // A timeout of 0 would be sd-bus's default of 25 s.
    if (left > 0 &&
        SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method) >= 0) {
        for (const char* argument : {first, second}) {
            if (argument != nullptr) {
                SdBus::sd_bus_message_append_basic(call, 's', argument);
            }
        }
        SdBus::sd_bus_call(Bus, call, static_cast<std::uint64_t>(left) * 1000U, nullptr, &reply);
    }
    SdBus::sd_bus_message_unref(call);
    return reply;
}

}  // namespace

// sd-bus's own calls would wait without a bound for a bus that accepts the
// connection and never answers: it is brought up here, within the patience.
bool BusConnect() {
    if (!SdBus::Load() || SdBus::sd_bus_open_user(&Bus) < 0) {
        return false;
    }
    ProcessUntil([] { return SdBus::sd_bus_is_ready(Bus) != 0; });
    sd_bus_message* owner = nullptr;
    const char* name = nullptr;
    if (SdBus::sd_bus_is_ready(Bus) > 0) {
        owner = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetNameOwner",
                     "org.kde.KWin", nullptr);
    }
    if (owner != nullptr && SdBus::sd_bus_message_read_basic(owner, 's', &name) > 0) {
        KWinName = name;
    }
    SdBus::sd_bus_message_unref(owner);
    if (KWinName.empty() || SdBus::sd_bus_add_object(Bus, nullptr, ReplyPath, TakeReply, nullptr) < 0) {
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

const char* OurBusName() {
    const char* name = nullptr;
    return SdBus::sd_bus_get_unique_name(Bus, &name) >= 0 ? name : nullptr;
}

sd_bus_message* CallScripting(const char* method, const char* first, const char* second) {
    return Call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", method, first, second);
}

std::string AwaitReply(const std::string& token) {
    Expected = token;
    Reply.clear();
    Replied = false;
    ProcessUntil([] { return Replied; });
    Expected.clear();
    return Reply;
}

}  // namespace KWin
