// KWin scripts, run over the session bus. A script's name is random, so no
// other run's (or PID namespace's) script takes it.
#pragma once

#include <string>

namespace KWin {

// Runs SCRIPT (JavaScript) in KWin: it is loaded from a file of its own,
// started and unloaded. In the text, DRAPENO_REPLY(text) stands for a call
// that hands text back; the text is returned, empty when none came in time.
std::string RunScript(const std::string& script);

// Runs SCRIPT as RunScript does, under NAME, and leaves it loaded, with what
// it connected to KWin's signals, until it calls DRAPENO_UNLOAD(). Empty when
// KWin refused it (a script of that name is loaded) or no answer came in time.
std::string RunNote(const std::string& script, const std::string& name);

bool IsLoaded(const std::string& name);

// Unloads the script of that name, with what it connected to KWin's signals.
void Unload(const std::string& name);

}  // namespace KWin
