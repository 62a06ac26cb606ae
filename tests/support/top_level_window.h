#pragma once
// The small top-level windows of the tests and the test programs (the
// substitute installer, the intruder window, the desktop tests' window).
#include <functional>
#include <optional>
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

// What a window does with a message; nullopt leaves it to DefWindowProcW.
// Called on the window's own thread; an exception never leaves it.
using MessageHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

struct TopLevelWindowDesign {
    const wchar_t* className;  // registered on first use in the process
    std::wstring title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    int left = CW_USEDEFAULT, top = CW_USEDEFAULT, width = 400, height = 200;
    int background = COLOR_WINDOW;  // a system colour index
};

// Creates the window (not shown); nullptr with GetLastError() set when
// Windows refused. `handler` lives as long as the window; destroying the
// window ends its thread's message loop.
HWND CreateTopLevelWindow(const TopLevelWindowDesign& design, MessageHandler handler);

// Runs the thread's messages until WM_QUIT; `afterEach` runs after each one.
void RunMessageLoop(const std::function<void()>& afterEach = {});

}  // namespace quelbrin::test
