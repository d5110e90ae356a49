// Start-up of the window system where the program's entry is main(), as on
// Linux; Windows starts Drapeno with its command line and desktop at hand.
#pragma once

// Records the words of the command line for GetCommandLineA, starts the run's
// deadline and connects to the desktop the session offers. Where there is
// none, a pass says so on standard error and the usage goes there too.
void StartWindowSystem(int argc, const char* const* argv);
