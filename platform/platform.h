// The seven window-system operations Drapeno uses, and the few types and
// constants they take, spelled as the Windows desktop spells them. The core
// (app/, cmdline/, winctl/) reaches the window system only through this header;
// which implementation backs it is chosen when the program is linked.
#pragma once

#include <cstddef>

// Same underlying types as the Windows headers, so an implementation may
// include both this header and windows.h.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): windows.h's own name.
struct HWND__;
typedef HWND__* HWND;
typedef int BOOL;
typedef unsigned int UINT;
#if defined(_WIN64)
typedef long long LPARAM;
#elif defined(_WIN32)
typedef long LPARAM;
#else
typedef std::ptrdiff_t LPARAM;
#endif

#ifndef CALLBACK
#if defined(_WIN32) && !defined(_WIN64)
#define CALLBACK __stdcall
#else
#define CALLBACK
#endif
#endif

typedef BOOL(CALLBACK* WNDENUMPROC)(HWND, LPARAM);

#ifndef SW_HIDE
#define SW_HIDE 0
#endif
#ifndef SW_SHOWNORMAL
#define SW_SHOWNORMAL 1
#endif
#ifndef MB_OK
#define MB_OK 0x00000000U
#endif

namespace Platform {

// The process's 8-bit command line; its first token is the program's name.
const char* GetCommandLineA();

// Calls the callback for each top-level window, in the platform's order, until
// it returns 0 or no window is left. Returns only after the last callback.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM value);

BOOL IsWindowVisible(HWND window);

// Fills at most maxCount bytes of buffer, the title cut to maxCount - 1 bytes
// and ended by a NUL. A failing call may leave the buffer untouched.
int GetWindowTextA(HWND window, char* buffer, int maxCount);

// command is SW_HIDE or SW_SHOWNORMAL.
BOOL ShowWindow(HWND window, int command);

// A modal box with one OK button; returns once the user dismisses it.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Ends the process. The simulated desktop of the unit tests records the code
// and returns, so the core never relies on this call not returning.
void ExitProcess(UINT exitCode);

}  // namespace Platform
