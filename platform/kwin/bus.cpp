// The session bus connection, over sd-bus. A script's answer comes back as a
// method call on our own object; every wait for KWin is bounded.
#include "platform/kwin/bus.h"

#include <systemd/sd-bus.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

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
    if (sd_bus_message_read_basic(message, 's', &text) >= 0 && text != nullptr) {
        Reply = text;
        Replied = true;
    }
    return sd_bus_reply_method_return(message, nullptr);
}

std::uint64_t Now() {
    timespec now = {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000U +
           static_cast<std::uint64_t>(now.tv_nsec) / 1000U;
}

// Calls a method of KWin's scripting with up to two string arguments; the
// reply, or null when the call failed or KWin did not answer in time.
sd_bus_message* CallScripting(const char* method, const char* first = nullptr, const char* second = nullptr) {
    sd_bus_message* call = nullptr;
    sd_bus_message* reply = nullptr;
    if (sd_bus_message_new_method_call(Bus, &call, Service, "/Scripting", Scripting, method) >= 0) {
        for (const char* argument : {first, second}) {
            if (argument != nullptr) {
                sd_bus_message_append_basic(call, 's', argument);
            }
        }
        sd_bus_call(Bus, call, Patience, nullptr, &reply);
    }
    sd_bus_message_unref(call);
    return reply;
}

// A file for the script, where KWin, running as the same user, reads it.
std::string WriteScript(const std::string& script) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string path =
        std::string(runtime != nullptr && *runtime != '\0' ? runtime : "/tmp") + "/drapeno-XXXXXX";
    const int file = mkstemp(&path[0]);
    if (file < 0) {
        return {};
    }
    const bool written = write(file, script.data(), script.size()) == static_cast<ssize_t>(script.size());
    close(file);
    if (!written) {
        unlink(path.c_str());
        return {};
    }
    return path;
}

// Loads the script under NAME from a file of its own, starts it and waits for
// its answer; KWin has read the file by then. Empty when KWin refused it (a
// script of that name is loaded already) or no answer came in time.
std::string LoadAndRun(const std::string& script, const std::string& name) {
    const char* unique = nullptr;
    if (Bus == nullptr || sd_bus_get_unique_name(Bus, &unique) < 0) {
        return {};
    }
    const std::string call = "callDBus(\"" + std::string(unique) + "\", \"" + ReplyPath +
                             "\", \"org.drapeno.Drapeno\", \"Reply\", ";
    const std::string path =
        WriteScript("function DRAPENO_REPLY(text) { " + call + "String(text)); }\n" + script);
    if (path.empty()) {
        return {};
    }
    std::int32_t id = -1;
    sd_bus_message* loaded = CallScripting("loadScript", path.c_str(), name.c_str());
    if (loaded == nullptr || sd_bus_message_read_basic(loaded, 'i', &id) < 0) {
        id = -1;
    }
    sd_bus_message_unref(loaded);
    Reply.clear();
    Replied = false;
    if (id >= 0) {
        sd_bus_message_unref(CallScripting("start"));
        const std::uint64_t end = Now() + Patience;
        for (std::uint64_t now = Now(); !Replied && now < end; now = Now()) {
            if (sd_bus_process(Bus, nullptr) == 0) {
                sd_bus_wait(Bus, end - now);
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
    if (sd_bus_open_user(&Bus) < 0 ||
        sd_bus_call_method(Bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "NameHasOwner", nullptr, &reply, "s", Service) < 0 ||
        sd_bus_message_read_basic(reply, 'b', &owned) < 0 || owned == 0) {
        sd_bus_message_unref(reply);
        BusDisconnect();
        return false;
    }
    sd_bus_message_unref(reply);
    return sd_bus_add_object(Bus, nullptr, ReplyPath, TakeReply, nullptr) >= 0;
}

void BusDisconnect() {
    Bus = sd_bus_flush_close_unref(Bus);
}

std::string RunScript(const std::string& script) {
    const std::string name = "drapeno-" + std::to_string(getpid());
    const std::string reply = LoadAndRun(script, name);
    sd_bus_message_unref(CallScripting("unloadScript", name.c_str()));
    return reply;
}

// A script that has run stays loaded, doing nothing, and is never run again.
void AddNote(const std::string& name) {
    LoadAndRun("DRAPENO_REPLY(\"noted\");", name);
}

bool TakeNote(const std::string& name) {
    int loaded = 0;
    sd_bus_message* reply = CallScripting("isScriptLoaded", name.c_str());
    if (reply == nullptr || sd_bus_message_read_basic(reply, 'b', &loaded) < 0) {
        loaded = 0;
    }
    sd_bus_message_unref(reply);
    if (loaded != 0) {
        sd_bus_message_unref(CallScripting("unloadScript", name.c_str()));
    }
    return loaded != 0;
}
