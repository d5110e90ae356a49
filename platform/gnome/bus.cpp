#include "platform/gnome/bus.h"

#include "platform/linux/sd_bus.h"

namespace GNOME {

namespace {

sd_bus* Bus = nullptr;

sd_bus_message* Call(const char* service, const char* path, const char* interface, const char* method,
                     char type, const void* argument) {
    sd_bus_message* call = nullptr;
    if (SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method) < 0 ||
        (argument != nullptr && SdBus::sd_bus_message_append_basic(call, type, argument) < 0)) {
        SdBus::sd_bus_message_unref(call);
        return nullptr;
    }
    return SdBus::CallWithin(Bus, call);
}

}  // namespace

bool BusConnect() {
    Bus = SdBus::OpenUserBus();
    return Bus != nullptr;
}

void BusDisconnect() {
    Bus = SdBus::Close(Bus);
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
