// The file a KWin script is loaded from: KWin reads scripts from files only.
#pragma once

#include <string>

namespace KWin {

// Writes the script to a new file of its own where KWin, running as the same
// user, reads it (XDG_RUNTIME_DIR, else /tmp); its path, or empty on failure.
// The caller removes it once KWin has read it.
std::string WriteScriptFile(const std::string& script);

}  // namespace KWin
