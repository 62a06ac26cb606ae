#include "tests/e2e/real_input.h"

namespace quelbrin::e2e {

bool ClickWithMouse(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    return ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, false);
}

bool ClickAt(POINT screen, bool rightButton) {
    // The position travels with the click: after SetCursorPos alone, Wine
    // may still deliver a click at the pointer's old place.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 1 || height <= 1 || !SetCursorPos(screen.x, screen.y)) return false;
    INPUT clicks[3]{};
    for (INPUT& input : clicks) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(screen.x, 65535, width - 1);
        input.mi.dy = MulDiv(screen.y, 65535, height - 1);
    }
    clicks[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    clicks[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | (rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
    clicks[2].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | (rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    return SendInput(3, clicks, sizeof(INPUT)) == 3;
}

bool RightClickListEntry(HWND list, int index) {
    const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
    if (top == LB_ERR || height == LB_ERR || height <= 0) return false;
    POINT at{8, static_cast<LONG>((index - top) * height + height / 2)};
    return ClientToScreen(list, &at) && ClickAt(at, /*rightButton=*/true);
}

bool PressKey(WORD virtualKey, WORD modifier) {
    INPUT keys[4]{};
    UINT count = 0;
    auto add = [&](WORD key, DWORD flags) {
        keys[count].type = INPUT_KEYBOARD;
        keys[count].ki.wVk = key;
        keys[count++].ki.dwFlags = flags;
    };
    if (modifier) add(modifier, 0);
    add(virtualKey, 0);
    add(virtualKey, KEYEVENTF_KEYUP);
    if (modifier) add(modifier, KEYEVENTF_KEYUP);
    return SendInput(count, keys, sizeof(INPUT)) == count;
}

}  // namespace quelbrin::e2e
