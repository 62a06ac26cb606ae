#pragma once
#include <span>

#include "platform/main_window_view.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Shows a shortcut menu of these commands at a screen point, owned by
// `owner`, and waits for the user: the position of the chosen command, or -1
// when the menu was closed without one (or could not be made). Separators
// count as positions too.
int ShowPopupMenu(HWND owner, POINT at, std::span<const MenuCommand> commands);

// Where a list box's shortcut menu opens and for which entry.
struct ListMenuRequest {
    int index = -1;  // -1: over no entry
    POINT at{};      // screen coordinates
};

// Whether a WM_CONTEXTMENU came from the keyboard (Shift+F10, the menu key):
// both coordinates -1, each read as a signed 16-bit number, and not sent
// while a mouse message was being dispatched. The whole lParam is -1 only in
// a 32-bit program; and (-1, -1) is also a real screen point, left of and
// above the primary monitor, which a right click can hit.
bool IsKeyboardMenuRequest(LPARAM lParam, UINT dispatching);

// For a WM_CONTEXTMENU from a list box: by the mouse, the entry under the
// pointer; from the keyboard, the selected entry, the menu below it.
ListMenuRequest ListMenuRequestFor(HWND listBox, LPARAM lParam);

}  // namespace quelbrin::win32
