#pragma once
// Reading and typing into the windows of this process, with messages.
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::test {

// A window's text, UTF-8.
std::string TextOf(HWND window);

// How wide the window's text is drawn in the font the window uses, in pixels.
int TextWidth(HWND window);

// Posts a key's down, its character where the key makes one (as
// TranslateMessage would) and its up.
void PostKey(HWND target, WPARAM key);

// The tooltip window of this thread that `owner` owns (null: none), and the
// text its tip for `control` has, or would ask for, now.
HWND TooltipOwnedBy(HWND owner);
std::string TipText(HWND tooltip, HWND owner, HWND control);

}  // namespace quelbrin::test
