// KWin reads scripts from files only; a script's answer comes back as a call
// on our own object, with a token that is the script's alone.
#include "platform/kwin/script.h"

#include <sys/random.h>
#include <unistd.h>

#include <cstdint>

#include "platform/kwin/bus.h"
#include "platform/kwin/script_file.h"
#include "platform/linux/sd_bus.h"

namespace KWin {

namespace {

// 16 hex digits from the kernel's random source; empty when it gave none.
std::string NewToken() {
    unsigned char bytes[8] = {};
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        return {};
    }
    constexpr const char* Hex = "0123456789abcdef";
    std::string token;
    for (const unsigned char byte : bytes) {
        token += Hex[byte >> 4U];
        token += Hex[byte & 15U];
    }
    return token;
}

// Loads the script under NAME, starts it and waits for its answer; KWin has
// read the file by then.
std::string LoadAndRun(const std::string& script, const std::string& name, const std::string& token) {
    const char* ours = OurBusName();
    if (ours == nullptr || token.empty()) {
        return {};
    }
    const std::string path = WriteScriptFile(
        "function DRAPENO_REPLY(text) { callDBus(\"" + std::string(ours) +
        "\", \"/Drapeno\", \"org.drapeno.Drapeno\", \"Reply\", \"" + token + "\", String(text)); }\n" +
        "function DRAPENO_UNLOAD() { callDBus(\"org.kde.KWin\", \"/Scripting\", \"org.kde.kwin.Scripting\", "
        "\"unloadScript\", \"" +
        name + "\"); }\n" + script);
    if (path.empty()) {
        return {};
    }
    std::int32_t id = -1;
    sd_bus_message* loaded = CallScripting("loadScript", path.c_str(), name.c_str());
    if (loaded == nullptr || SdBus::sd_bus_message_read_basic(loaded, 'i', &id) <= 0) {
        id = -1;
    }
    SdBus::sd_bus_message_unref(loaded);
    std::string reply;
    if (id >= 0) {
        SdBus::sd_bus_message_unref(CallScripting("start"));
        reply = AwaitReply(token);
    }
    unlink(path.c_str());
    return reply;
}

}  // namespace

std::string RunScript(const std::string& script) {
    const std::string token = NewToken();
    const std::string name = "drapeno-" + token;
    std::string reply = LoadAndRun(script, name, token);
    Unload(name);
    return reply;
}

void Unload(const std::string& name) {
    SdBus::sd_bus_message_unref(CallScripting("unloadScript", name.c_str()));
}

std::string RunNote(const std::string& script, const std::string& name) {
    return LoadAndRun(script, name, NewToken());
}

bool IsLoaded(const std::string& name) {
    int loaded = 0;
    sd_bus_message* reply = CallScripting("isScriptLoaded", name.c_str());
    if (reply == nullptr || SdBus::sd_bus_message_read_basic(reply, 'b', &loaded) <= 0) {
        loaded = 0;
    }
    SdBus::sd_bus_message_unref(reply);
    return loaded != 0;
}

}  // namespace KWin
