#include "platform/kwin/script_file.h"

#include <unistd.h>

#include <cstdlib>

namespace KWin {

std::string WriteScriptFile(const std::string& script) {
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

}  // namespace KWin
