// Arbitrary bytes as the answer of KWin's listing script. Besides never
// crashing, hanging or touching memory out of bounds: an answer read as no
// list gives no window, and every window has an id and a title within their
// bounds, each ended by a NUL.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/kwin/list.h"

namespace {

void Require(bool holds, const char* property) {
    if (!holds) {
        (void)std::fprintf(stderr, "broken: %s\n", property);  // aborting either way
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<KWin::KWinRecord> records(1);  // a walk before this one
    const bool read = KWin::ReadList(std::string(reinterpret_cast<const char*>(data), size), records);
    Require(read || records.empty(), "no window from an answer that is no list");
    for (const KWin::KWinRecord& record : records) {
        const std::size_t id = strnlen(record.Id, sizeof record.Id);
        Require(id > 0 && id < sizeof record.Id, "an id within its bound");
        Require(record.Title.Length <= 255 && record.Title.Bytes[record.Title.Length] == '\0',
                "titles within 255 bytes");
    }
    return 0;
}
