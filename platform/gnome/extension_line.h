// The line Drapeno writes where GNOME Shell runs without Drapeno's extension:
// it names the build of the extension this GNOME Shell loads, the one whose
// shell-version lists its major version, or says that none does.
#pragma once

namespace GNOME {

struct ExtensionLine {
    char Text[256] = {};
};

// VERSION is GNOME Shell's own ShellVersion ("48.2", "51.alpha"), null where
// the shell gave none; anything else than a major version of at most four
// digits, then the end or a dot, is no version.
ExtensionLine ExtensionLineFor(const char* version);

}  // namespace GNOME
