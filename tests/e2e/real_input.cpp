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
