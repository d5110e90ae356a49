// What the case tables of the unit tests share: texts of every byte value, and
// test names made from a row's Name.
#pragma once

#include <cctype>
#include <string>

// Bytes 0x01..0xFF, the double quote included when withQuote is set (no
// argument can carry one).
inline std::string EveryByte(bool withQuote = true) {
    std::string bytes;
    for (int value = 0x01; value <= 0xFF; ++value) {
        if (withQuote || value != '"') {
            bytes += static_cast<char>(value);
        }
    }
    return bytes;
}

// 254 bytes: a title that still fits.
inline std::string EveryByteButQuote() {
    return EveryByte(false);
}

// A gtest name for the row: its Name with every other byte than a letter or a
// digit made an underscore.
struct RowName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        std::string name = info.param.Name;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        }
        return name;
    }
};
