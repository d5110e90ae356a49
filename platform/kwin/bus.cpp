// The session bus connection, over sd-bus. A script's answer comes back as a
// method call on our own object; every wait for KWin is bounded.
#include "platform/kwin/bus.h"

#include <unistd.h>
#include <ctime>

#include <cstdint>

#include "platform/kwin/script_file.h"
#include "platform/kwin/sd_bus.h"

namespace KWin {

namespace {

constexpr const char* Service = "org.kde.KWin";
constexpr const char* Scripting = "org.kde.kwin.Scripting";
constexpr std::uint64_t Patience = 2000000;  // microseconds
constexpr const char* ReplyPath = "/Drapeno";

sd_bus* Bus = nullptr;
std::string Reply;
bool Replied = false;

int TakeReply(sd_bus_message* message, void*, sd_bus_error*) {
    const char* text = nullptr;
    if (SdBus::sd_bus_message_read_basic(message, 's', &text) >= 0 && text != nullptr) {
        Reply = text;
        Replied = true;
    }
    return SdBus::sd_bus_reply_method_return(message, nullptr);
}

std::uint64_t Now() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000U +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000U;
}

// Calls a method with up to two string arguments; the reply, or null when the
// call failed or no answer came in time.
sd_bus_message* Call(const char* service, const char* path, const char* interface, const char* method,
                     const char* first = nullptr, const char* second = nullptr) {
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    if (SdBus::sd_bus_message_new_method_call(Bus, &call, service, path, interface, method) >= 0) {
        for (const char* argument : {first, second}) {
            if (argument != nullptr) {
                SdBus::sd_bus_message_append_basic(call, 's', argument);
            }
        }
        SdBus::sd_bus_call(Bus, call, Patience, nullptr, &reply);
    }
    SdBus::sd_bus_message_unref(call);
    return reply;
}

sd_bus_message* CallScripting(const char* method, const char* first = nullptr, const char* second = nullptr) {
    return Call(Service, "/Scripting", Scripting, method, first, second);
}

// Loads the script under NAME from a file of its own, starts it and waits for
// its answer; KWin has read the file by then. Empty when KWin refused it (a
// script of that name is loaded already) or no answer came in time.
std::string LoadAndRun(const std::string& script, const std::string& name) {
    const char* unique = nullptr;
    if (Bus == nullptr || SdBus::sd_bus_get_unique_name(Bus, &unique) < 0) {
        return {};
    }
    const std::string call = "callDBus(\"" + std::string(unique) + "\", \"" + ReplyPath +
                             "\", \"org.drapeno.Drapeno\", \"Reply\", ";
    const std::string path =
        WriteScriptFile("function DRAPENO_REPLY(text) { " + call + "String(text)); }\n" + script);
    if (path.empty()) {
        return {};
    }
    std::int32_t id = -1;
    sd_bus_message* loaded = CallScripting("loadScript", path.c_str(), name.c_str());
    if (loaded == nullptr || SdBus::sd_bus_message_read_basic(loaded, 'i', &id) < 0) {
        id = -1;
    }
    SdBus::sd_bus_message_unref(loaded);
    Reply.clear();
    Replied = false;
    if (id >= 0) {
        SdBus::sd_bus_message_unref(CallScripting("start"));
        const std::uint64_t end = Now() + Patience;
        for (std::uint64_t now = Now(); !Replied && now < end; now = Now()) {
            if (SdBus::sd_bus_process(Bus, nullptr) == 0) {
                SdBus::sd_bus_wait(Bus, end - now);
            }
        }
    }
    unlink(path.c_str());
    return Reply;
}

}  // namespace

bool BusConnect() {
    int owned = 0;
    sd_bus_message* reply = nullptr;
    if (SdBus::Load() && SdBus::sd_bus_open_user(&Bus) >= 0) {
        reply = Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                     Service);
    }
    const bool there =
        reply != nullptr && SdBus::sd_bus_message_read_basic(reply, 'b', &owned) >= 0 && owned != 0;
    if (reply != nullptr) {
        SdBus::sd_bus_message_unref(reply);
    }
    if (!there || SdBus::sd_bus_add_object(Bus, nullptr, ReplyPath, TakeReply, nullptr) < 0) {
        BusDisconnect();
        return false;
    }
    return true;
}

void BusDisconnect() {
    if (Bus != nullptr) {
        Bus = SdBus::sd_bus_flush_close_unref(Bus);
    }
}

std::string RunScript(const std::string& script) {
    const std::string name = "drapeno-" + std::to_string(getpid());
    std::string reply = LoadAndRun(script, name);
    SdBus::sd_bus_message_unref(CallScripting("unloadScript", name.c_str()));
    return reply;
}

// A script that has run stays loaded, doing nothing, and is never run again.
void AddNote(const std::string& name) {
    LoadAndRun("DRAPENO_REPLY(\"noted\");", name);
}

bool TakeNote(const std::string& name) {
    int loaded = 0;
    sd_bus_message* reply = CallScripting("isScriptLoaded", name.c_str());
    if (reply == nullptr || SdBus::sd_bus_message_read_basic(reply, 'b', &loaded) < 0) {
        loaded = 0;
    }
    SdBus::sd_bus_message_unref(reply);
    if (loaded != 0) {
        SdBus::sd_bus_message_unref(CallScripting("unloadScript", name.c_str()));
    }
    return loaded != 0;
}

}  // namespace KWin
