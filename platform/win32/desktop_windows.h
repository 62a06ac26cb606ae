#pragma once
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A window's title as Windows keeps it, read without sending the window a
// message (so a hung window can't block the reader). Empty on failure.
std::wstring WindowTitle(HWND window);

// The top-level window with exactly this title (compared as FindWindowW
// compares), else the first visible one whose title begins with it,
// letter case ignored. Null when there is none or the title is empty.
HWND FindActivationTarget(const std::wstring& title);

}  // namespace quelbrin::win32
