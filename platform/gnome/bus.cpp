#include "platform/gnome/bus.h"

#include <algorithm>
#include <cstring>

#include "platform/linux/sd_bus.h"

namespace GNOME {

namespace {

sd_bus* Bus = nullptr;

// A method call with its arguments, each of the basic type TYPES spells at
// its place.
sd_bus_message* Call(const char* service, const char* path, const char* interface, const char* method,
                     const char* types, const void* const* arguments) {
    sd_bus_message* call = nullptr;
    int made = SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method);
    for (std::size_t n = 0; made >= 0 && types[n] != '\0'; ++n) {
        made = SdBus::sd_bus_message_append_basic(call, types[n], arguments[n]);
    }
    if (made < 0) {
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
    const void* arguments[] = {name};
    sd_bus_message* reply = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "NameHasOwner", "s", arguments);
    int owned = 0;
    if (reply != nullptr && SdBus::sd_bus_message_read_basic(reply, 'b', &owned) <= 0) {
        owned = 0;
    }
    SdBus::sd_bus_message_unref(reply);
    return owned != 0;
}

// A variant that holds anything but text is no version.
bool ShellVersion(char* version, std::size_t size) {
    const void* arguments[] = {"org.gnome.Shell", "ShellVersion"};
    sd_bus_message* reply = Call("org.gnome.Shell", "/org/gnome/Shell", "org.freedesktop.DBus.Properties",
                                 "Get", "ss", arguments);
    const char* text = nullptr;
    if (reply == nullptr || SdBus::sd_bus_message_enter_container(reply, 'v', "s") <= 0 ||
        SdBus::sd_bus_message_read_basic(reply, 's', &text) <= 0) {
        text = nullptr;
    } else {
        const std::size_t length = std::min(std::strlen(text), size - 1);
        std::memcpy(version, text, length);
        version[length] = '\0';
    }
    SdBus::sd_bus_message_unref(reply);
    return text != nullptr;
}

sd_bus_message* CallExtension(const char* method, const std::uint64_t* id) {
    const void* arguments[] = {id};
    return Call("org.drapeno.Shell", "/org/drapeno/Shell", "org.drapeno.Shell", method,
                id != nullptr ? "t" : "", arguments);
}

}  // namespace GNOME
