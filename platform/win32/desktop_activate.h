#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Restores the window if minimised and makes it the foreground window,
// despite the foreground lock; waits briefly until it really is. Gives up
// quietly (the caller checks the foreground) and never blocks on a window
// whose thread does not answer.
void BringToForeground(HWND window);

}  // namespace quelbrin::win32
