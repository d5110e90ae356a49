// The session bus connection, over sd-bus. Any peer on the bus may call our
// object, and a script that was too late for an earlier wait may still answer:
// an answer counts only from the connection that owns KWin's name and with
// the token of the script waited for.
#include "platform/kwin/bus.h"

#include <cerrno>
#include <cstdint>

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

sd_bus_message* Call(const char* service, const char* path, const char* interface, const char* method,
                     const char* first, const char* second) {
    sd_bus_message* call = nullptr;
    if (SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method) < 0) {
        return nullptr;
    }
    for (const char* argument : {first, second}) {
        if (argument != nullptr) {
            SdBus::sd_bus_message_append_basic(call, 's', argument);
        }
    }
    return SdBus::CallWithin(Bus, call);
}

bool HasReply() {
    return Replied;
}

}  // namespace

bool BusConnect() {
    Bus = SdBus::OpenUserBus();
    sd_bus_message* owner = nullptr;
    const char* name = nullptr;
    if (Bus != nullptr) {
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

void BusDisconnect() {
    Bus = SdBus::Close(Bus);
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
    SdBus::ProcessUntil(Bus, HasReply);
    Expected.clear();
    return Reply;
}

}  // namespace KWin
