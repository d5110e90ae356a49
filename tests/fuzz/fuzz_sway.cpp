// Arbitrary bytes as sway's get_tree reply. Besides never crashing, hanging or
// touching memory out of bounds: a reply read as no tree gives no window, no
// title is longer than 255 bytes, and no hidden window comes before a visible
// one. With the first byte odd, the rest is one window's title instead, sent
// in a tree as JSON writes it (with bit 1 set, a code point of the stand-in
// range as a \u escape): it must come back as the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/sway/reply.h"

namespace {

void Require(bool holds, const char* property) {
    if (!holds) {
        (void)std::fprintf(stderr, "broken: %s\n", property);  // aborting either way
        std::abort();
    }
}

// The title as a JSON string's contents. Bytes of 0x80 and up go as they are,
// as sway's JSON writer sends them.
std::string Quoted(const std::string& title, bool escapeStandIns) {
    std::string text;
    for (std::size_t at = 0; at < title.size(); ++at) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(title[i]); };
        char escape[8] = {};
        if (escapeStandIns && at + 2 < title.size() && byte(at) == 0xEF && (byte(at + 1) & 0xFEU) == 0x9E &&
            (byte(at + 2) & 0xC0U) == 0x80) {
            (void)std::snprintf(escape, sizeof escape, "\\u%04X",
                                0xF000U | ((byte(at + 1) & 0x3FU) << 6) | (byte(at + 2) & 0x3FU));
            at += 2;
        } else if (byte(at) < 0x20) {
            (void)std::snprintf(escape, sizeof escape, "\\u%04x", byte(at));
        } else if (title[at] == '"' || title[at] == '\\') {
            escape[0] = '\\';
            escape[1] = title[at];
        } else {
            escape[0] = title[at];
        }
        text += escape;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned mode = data[0];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<Sway::ViewRecord> records;
    if ((mode & 1U) != 0) {
        const std::string reply = R"({"id":1,"type":"root","nodes":[{"id":2,"pid":3,"name":")" +
                                  Quoted(rest, (mode & 2U) != 0) + "\"}]}";
        Require(Sway::ReadTree(reply, records) && records.size() == 1, "one window in a tree of one");
        const Desktop::Title& title = records[0].Title;
        Require(std::string(title.Bytes, title.Length) == rest.substr(0, 255), "the title's bytes come back");
        return 0;
    }
    const bool read = Sway::ReadTree(rest, records);
    Require(read || records.empty(), "no window from a reply that is no tree");
    bool hiddenSeen = false;
    for (const Sway::ViewRecord& record : records) {
        Require(record.Title.Length <= 255 && record.Title.Bytes[record.Title.Length] == '\0',
                "titles within 255 bytes");
        Require(!hiddenSeen || record.Hidden, "hidden windows after visible ones");
        hiddenSeen = hiddenSeen || record.Hidden;
    }
    return 0;
}
