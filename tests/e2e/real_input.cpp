#include "tests/e2e/real_input.h"

namespace quelbrin::e2e {

bool ClickWithMouse(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return false;
    return ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, false);
}

bool ClickAt(POINT screen, bool rightButton) {
    if (!SetCursorPos(screen.x, screen.y)) return false;
    INPUT clicks[2]{};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    return SendInput(2, clicks, sizeof(INPUT)) == 2;
}

bool PressKey(WORD virtualKey) {
    INPUT keys[2]{};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = virtualKey;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT)) == 2;
}

}  // namespace quelbrin::e2e
