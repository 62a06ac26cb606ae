#pragma once
#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// The program's icon (resource 1 of the executable) at a size in pixels;
// the system's application icon when the executable carries none.
UniqueIcon LoadAppIcon(int size);

// The program's icon in a window's caption and taskbar button; the icons
// must live as long as the window.
struct WindowIcons {
    UniqueIcon big;
    UniqueIcon small;
};
WindowIcons AttachAppIcons(HWND window);
// One of the two: ICON_SMALL (caption) or ICON_BIG (taskbar, Alt+Tab), kept in `icons`.
void AttachAppIcon(HWND window, WPARAM which, WindowIcons& icons);

}  // namespace quelbrin::win32
