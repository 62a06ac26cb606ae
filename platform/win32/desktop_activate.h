#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Restores the window if minimised and makes it the foreground window (or,
// while it shows a modal box of its own, that box), despite the foreground
// lock; waits briefly until it really is. Gives up quietly (the caller
// checks the foreground before each key) and never blocks on a window whose
// thread does not answer.
void BringToForeground(HWND target);

}  // namespace quelbrin::win32
