#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::e2e {

// Input as the user gives it, through SendInput: it goes where Windows
// sends real input. Tests that use it hold the desktop lock.

// Moves the pointer to the middle of a window and clicks the left button.
bool ClickWithMouse(HWND window);

// Moves the pointer to a screen point and clicks a button there.
bool ClickAt(POINT screen, bool rightButton);

// Right-clicks entry `index` of a list box, near its left edge; the entry
// must be in view.
bool RightClickListEntry(HWND list, int index);

// Presses and releases a key, with a modifier (such as VK_SHIFT) held down
// around it when one is given.
bool PressKey(WORD virtualKey, WORD modifier = 0);

}  // namespace quelbrin::e2e
