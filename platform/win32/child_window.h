#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A rectangle in twips within a parent's client area.
struct TwipsRect {
    int left, top, width, height;
};

// Creates a child control at a twips rectangle, scaled to the screen, with
// the given font. The parent destroys it. Throws ErrorInfo.
HWND CreateChildControl(HWND parent, const wchar_t* className, const std::string& text,
                        DWORD style, DWORD exStyle, const TwipsRect& rect, int id, HFONT font);

// Puts the children in Z order by tab index, which is the order in which
// Tab moves the focus. Pairs of (tab index, control).
void ApplyTabOrder(std::vector<std::pair<int, HWND>> controls);

// The outer size of a window whose client area is width x height pixels.
SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height);

// Makes the client area exactly width x height pixels, keeping the position.
void FitClientArea(HWND window, int width, int height);

}  // namespace quelbrin::win32
