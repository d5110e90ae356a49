// KWin scripts, run over the session bus. A script's name is random, so no
// other run's (or PID namespace's) script takes it.
#pragma once

#include <string>

namespace KWin {

// Runs SCRIPT (JavaScript) in KWin: it is loaded from a file of its own,
// started and unloaded. In the text, DRAPENO_REPLY(text) stands for a call
// that hands text back; the text is returned, empty when none came in time.
std::string RunScript(const std::string& script);

// Notes kept inside KWin for the length of its session, as loaded scripts
// that have run and do nothing more: one name per note.
void AddNote(const std::string& name);
// True when the note was there; it is gone afterwards.
bool TakeNote(const std::string& name);

}  // namespace KWin
