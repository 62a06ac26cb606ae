#pragma once
#include <span>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Shows a shortcut menu of these commands at a screen point, owned by
// `owner`, and waits for the user: the position of the chosen command, or -1
// when the menu was closed without one (or could not be made).
int ShowPopupMenu(HWND owner, POINT at, std::span<const char* const> commands);

// Where a list box's shortcut menu opens and for which entry.
struct ListMenuRequest {
    int index = -1;  // -1: over no entry
    POINT at{};      // screen coordinates
};

// For a WM_CONTEXTMENU from a list box: by the mouse, the entry under the
// pointer; from the keyboard (lParam -1), the selected entry, the menu below it.
ListMenuRequest ListMenuRequestFor(HWND listBox, LPARAM lParam);

}  // namespace quelbrin::win32
