// Start-up of the window system where the program's entry is main(), as on
// Linux; Windows starts Drapeno with its command line and desktop at hand.
#pragma once

// Records the words of the command line for GetCommandLineA and connects to
// the desktop the session offers. False when there is none to talk to: the
// reason is then on standard error and the run ends there, with exit code 0.
bool StartWindowSystem(int argc, const char* const* argv);
