#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Creates a child control, still without size or font: the window's
// DpiLayout places it and gives it its font. The parent destroys it.
// Throws ErrorInfo.
HWND CreateChildControl(HWND parent, const wchar_t* className, const std::string& text,
                        DWORD style, DWORD exStyle, int id);

// Puts the children in Z order by tab index, which is the order in which
// Tab moves the focus. Pairs of (tab index, control).
void ApplyTabOrder(std::vector<std::pair<int, HWND>> controls);

// Makes the client area exactly width x height pixels, keeping the position.
void FitClientArea(HWND window, int width, int height);

}  // namespace quelbrin::win32
