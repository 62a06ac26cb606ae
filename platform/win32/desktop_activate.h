#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Restores the window if minimised and makes it the foreground window (or,
// while it shows a modal box of its own, that box), despite the foreground
// lock; waits briefly until it really is. Gives up quietly (the caller
// checks the foreground before each key) and never blocks on a window whose
// thread does not answer.
void BringToForeground(HWND target);

// The thread whose input the activation shares to pass the foreground lock:
// that of the foreground window, none while that window hangs.
DWORD ThreadToAttach(HWND foreground);

}  // namespace quelbrin::win32
