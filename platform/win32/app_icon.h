#pragma once
#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// The program's icon (resource 1 of the executable) at a size in pixels;
// the system's application icon when the executable carries none.
UniqueIcon LoadAppIcon(int size);

// The program's icon in a window's caption and taskbar button, in the sizes
// Windows uses at the window's DPI; the icons must live as long as the
// window, and a new pair replaces the old when the DPI changes.
struct WindowIcons {
    UniqueIcon big;
    UniqueIcon small;
};
WindowIcons AttachAppIcons(HWND window, int dpi);
// One of the two: ICON_SMALL (caption) or ICON_BIG (taskbar, Alt+Tab) in the
// size Windows uses at `dpi`, kept in `icons`.
void AttachAppIcon(HWND window, WPARAM which, int dpi, WindowIcons& icons);

}  // namespace quelbrin::win32
