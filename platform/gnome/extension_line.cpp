#include "platform/gnome/extension_line.h"

#include <cstdio>

namespace GNOME {

namespace {

// The major version VERSION begins with, or 0 where it is no version.
int MajorOf(const char* version) {
    constexpr int MostDigits = 4;
    int major = 0;
    int digits = 0;
    for (; version[digits] >= '0' && version[digits] <= '9'; ++digits) {
        if (digits == MostDigits) {
            return 0;
        }
        major = major * 10 + (version[digits] - '0');
    }
    const char after = version[digits];
    return digits > 0 && (after == '\0' || after == '.') ? major : 0;
}

// The uuid of the build GNOME Shell MAJOR loads, null where none lists it.
const char* UuidFor(int major) {
    if (major >= DRAPENO_GNOME_OLDEST && major < DRAPENO_GNOME_FIRST_MODULE) {
        return DRAPENO_GNOME_LEGACY_UUID;
    }
    if (major >= DRAPENO_GNOME_FIRST_MODULE && major <= DRAPENO_GNOME_NEWEST) {
        return DRAPENO_GNOME_UUID;
    }
    return nullptr;
}

}  // namespace

// A GNOME older or newer than the extension lists marks both builds out of
// date and loads neither, whatever the user turns on: the line then says so,
// with no instruction. A GNOME that gives no version leaves the build unknown.
ExtensionLine ExtensionLineFor(const char* version) {
    ExtensionLine line;
    const int major = version != nullptr ? MajorOf(version) : 0;
    const char* uuid = UuidFor(major);
    if (uuid != nullptr) {
        static_cast<void>(
            std::snprintf(line.Text, sizeof line.Text,
                          "Drapeno: only XWayland windows are reached until Drapeno's GNOME Shell "
                          "extension is on: log out and in once, then run gnome-extensions enable %s\n",
                          uuid));
    } else if (major != 0) {
        static_cast<void>(
            std::snprintf(line.Text, sizeof line.Text,
                          "Drapeno: only XWayland windows are reached: Drapeno's GNOME Shell extension "
                          "runs on GNOME %d to %d, and this is GNOME %d\n",
                          DRAPENO_GNOME_OLDEST, DRAPENO_GNOME_NEWEST, major));
    } else {
        static_cast<void>(
            std::snprintf(line.Text, sizeof line.Text,
                          "Drapeno: only XWayland windows are reached: GNOME Shell did not say its "
                          "version, which decides the build of Drapeno's extension it loads\n"));
    }
    return line;
}

}  // namespace GNOME
