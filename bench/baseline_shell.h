#pragma once
// What both bare baseline programs have around their own work: their folder,
// one plain top-level window of Quelbrin's size, and the message loop.
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::bench {

// The folder the program was started from (the folder of its .exe).
std::wstring OwnFolder();

// Registers the class and creates the hidden top-level window, 423 by 158
// pixels like Quelbrin's; nullptr when either fails.
HWND CreateBaselineWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title, WNDPROC proc);

// The window procedure's default: the program ends when its window is destroyed.
LRESULT CALLBACK DefaultBaselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Until WM_QUIT; returns 0.
int RunMessageLoop();

}  // namespace quelbrin::bench
