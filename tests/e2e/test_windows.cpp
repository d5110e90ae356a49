#include "tests/e2e/test_windows.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/e2e/drapeno_run.h"

bool Fail(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::vfprintf(stdout, format, arguments);
    va_end(arguments);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return false;
}

std::string Decode(const char* text) {
    std::string bytes;
    for (const char* at = text; *at != '\0'; ++at) {
        char* end = nullptr;
        if (at[0] == '%' && at[1] == '{' && !bytes.empty()) {
            const unsigned long count = std::strtoul(at + 2, &end, 10);
            if (*end != '}' || count == 0 || count > 65536) {
                Fail("bad run in %s", text);
                std::exit(2);
            }
            bytes.append(count - 1, bytes.back());
            at = end;
        } else if (at[0] == '%') {
            const char hex[3] = {at[1], at[1] != '\0' ? at[2] : '\0', '\0'};
            const unsigned long value = std::strtoul(hex, &end, 16);
            if (end != hex + 2 || value == 0) {
                Fail("bad escape in %s", text);
                std::exit(2);
            }
            bytes += static_cast<char>(value);
            at += 2;
        } else {
            bytes += *at;
        }
    }
    return bytes;
}

TestWindow ParseWindow(const char* description) {
    TestWindow window;
    const char* colon = std::strchr(description, ':');
    if (colon == nullptr) {
        Fail("window without FLAGS: %s", description);
        std::exit(2);
    }
    const std::string flags(description, colon);
    window.Visible = flags.find('v') != std::string::npos;
    window.Matches = flags.find('*') != std::string::npos;
    window.Child = flags.find('c') != std::string::npos;
    window.Wide = flags.find('w') != std::string::npos;
    window.Title = Decode(colon + 1);
    return window;
}

namespace {

constexpr char ClassName[] = "DrapenoTestWindow";
constexpr wchar_t WideClassName[] = L"DrapenoTestWindowW";

HWND Create(const TestWindow& window, HWND parent) {
    const DWORD style =
        parent != nullptr ? WS_CHILD | (window.Visible ? WS_VISIBLE : 0) : WS_OVERLAPPEDWINDOW;
    if (!window.Wide) {
        return CreateWindowExA(0, ClassName, window.Title.c_str(), style, 40, 40, 320, 200, parent, nullptr,
                               nullptr, nullptr);
    }
    std::wstring title(window.Title.size() + 1, L'\0');
    title.resize(MultiByteToWideChar(CP_UTF8, 0, window.Title.c_str(), -1, &title[0], title.size()));
    return CreateWindowExW(0, WideClassName, title.c_str(), style, 40, 40, 320, 200, parent, nullptr, nullptr,
                           nullptr);
}

}  // namespace

void CreateTestWindows(std::vector<TestWindow>& windows) {
    WNDCLASSA narrow = {};
    narrow.lpfnWndProc = DefWindowProcA;
    narrow.lpszClassName = ClassName;
    RegisterClassA(&narrow);
    WNDCLASSW wide = {};
    wide.lpfnWndProc = DefWindowProcW;
    wide.lpszClassName = WideClassName;
    RegisterClassW(&wide);

    HWND parent = nullptr;
    for (TestWindow& window : windows) {
        window.Handle = Create(window, window.Child ? parent : nullptr);
        if (window.Handle == nullptr) {
            Fail("cannot create the window %.40s: error %lu", window.Title.c_str(), GetLastError());
            std::exit(1);
        }
        if (window.Child) {
            continue;
        }
        parent = window.Handle;
        // A hidden window is minimised first, so that showing it must restore it.
        ShowWindow(window.Handle, window.Visible ? SW_SHOWNOACTIVATE : SW_SHOWMINNOACTIVE);
        if (!window.Visible) {
            ShowWindow(window.Handle, SW_HIDE);
        }
    }
    Pump(100);
    // Each one goes below the ones before it, so the list's order is the likely
    // stacking order; the tests still take the order EnumWindows gives.
    for (const TestWindow& window : windows) {
        if (!window.Child) {
            SetWindowPos(window.Handle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    }
    Pump(100);
}

namespace {

struct Enumeration {
    const std::vector<TestWindow>* Windows;
    std::vector<std::size_t> Order;
};

BOOL CALLBACK Collect(HWND handle, LPARAM value) {
    Enumeration& enumeration = *reinterpret_cast<Enumeration*>(value);
    for (std::size_t i = 0; i < enumeration.Windows->size(); ++i) {
        if ((*enumeration.Windows)[i].Handle == handle) {
            enumeration.Order.push_back(i);
        }
    }
    return TRUE;
}

}  // namespace

std::vector<std::size_t> EnumerationOrder(const std::vector<TestWindow>& windows) {
    Enumeration enumeration = {&windows, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&enumeration));
    return enumeration.Order;
}
