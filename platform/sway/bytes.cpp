// The stand-in of byte B (0x80 to 0xFF) is U+F700 + B, in the private use
// area: U+F780 to U+F7FF, whose UTF-8 is EF 9E|9F 80..BF. A code point of that
// range that sway sends itself is not taken for a stand-in: each of its three
// bytes gets a stand-in of its own, so every stand-in a parsed title holds
// maps back to exactly one byte of the reply. The same holds for the range
// written as a \uXXXX escape (json-c, sway's writer, sends non-ASCII raw, but
// the mapping does not rely on that).
#include "platform/sway/bytes.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace Sway {

namespace {

constexpr unsigned FirstStandIn = 0xF780;
constexpr unsigned LastStandIn = 0xF7FF;

unsigned ByteAt(const std::string& text, std::size_t at) {
    return at < text.size() ? static_cast<unsigned char>(text[at]) : 0U;
}

// The length of the well-formed UTF-8 sequence that begins at text[at], or 0:
// no overlong forms, no surrogates, nothing past U+10FFFF, as JSON parsers
// check it.
std::size_t SequenceAt(const std::string& text, std::size_t at) {
    const unsigned lead = ByteAt(text, at);
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (ByteAt(text, at + 1) < low || ByteAt(text, at + 1) > high) {
        return 0;
    }
    for (std::size_t next = 2; next < length; ++next) {
        if ((ByteAt(text, at + next) & 0xC0U) != 0x80) {
            return 0;
        }
    }
    return length;
}

bool IsStandIn(const std::string& text, std::size_t at) {
    const unsigned second = ByteAt(text, at + 1);
    return ByteAt(text, at) == 0xEF && (second == 0x9E || second == 0x9F) &&
           (ByteAt(text, at + 2) & 0xC0U) == 0x80;
}

void AppendStandIn(std::string& text, unsigned byte) {
    text += static_cast<char>(0xEF);
    text += static_cast<char>(0x9C + (byte >> 6));
    text += static_cast<char>(0x80 | (byte & 0x3FU));
}

// The code point of a \uXXXX escape at text[at], when it names a stand-in; 0
// otherwise. Four characters reach the range only if all four are hex digits.
unsigned EscapedStandIn(const std::string& text, std::size_t at) {
    if (text.compare(at, 2, "\\u") != 0 || text.size() - at < 6) {
        return 0;
    }
    const unsigned long code = std::strtoul(text.substr(at + 2, 4).c_str(), nullptr, 16);
    return code >= FirstStandIn && code <= LastStandIn ? static_cast<unsigned>(code) : 0;
}

}  // namespace

std::string WithStandIns(const std::string& reply) {
    std::string text;
    text.reserve(reply.size());
    for (std::size_t at = 0; at < reply.size();) {
        // ASCII other than the backslash, most of a tree, goes in one piece.
        const auto plain = std::find_if(reply.begin() + static_cast<std::ptrdiff_t>(at), reply.end(),
                                        [](char byte) { return byte == '\\' || (byte & 0x80) != 0; });
        const std::size_t next = static_cast<std::size_t>(plain - reply.begin());
        text.append(reply, at, next - at);
        at = next;
        if (at == reply.size()) {
            break;
        }
        const unsigned escaped = EscapedStandIn(reply, at);
        const std::size_t length = SequenceAt(reply, at);
        if (escaped != 0) {
            AppendStandIn(text, 0xEF);
            AppendStandIn(text, 0x80 | ((escaped >> 6) & 0x3FU));
            AppendStandIn(text, 0x80 | (escaped & 0x3FU));
            at += 6;
        } else if (reply[at] == '\\' && at + 1 < reply.size() && ByteAt(reply, at + 1) < 0x80) {
            text.append(reply, at, 2);  // an escaped backslash starts no escape
            at += 2;
        } else if (length == 0 || (length == 3 && IsStandIn(reply, at))) {
            AppendStandIn(text, ByteAt(reply, at));  // the rest of a sent stand-in follows, byte by byte
            at += 1;
        } else {
            text.append(reply, at, length);
            at += length;
        }
    }
    return text;
}

void AssignTitle(const std::string& name, Desktop::Title& title) {
    char bytes[sizeof title.Bytes - 1] = {};
    std::size_t length = 0;
    for (std::size_t at = 0; at < name.size() && length < sizeof bytes; ++length) {
        if (IsStandIn(name, at)) {
            bytes[length] =
                static_cast<char>(((ByteAt(name, at + 1) - 0x9C) << 6) | (ByteAt(name, at + 2) & 0x3FU));
            at += 3;
        } else {
            bytes[length] = name[at];
            at += 1;
        }
    }
    title.Assign(bytes, length);
}

}  // namespace Sway
