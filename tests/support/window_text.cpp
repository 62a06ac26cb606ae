#include "tests/support/window_text.h"

#include "platform/win32/utf.h"

namespace quelbrin::test {

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return win32::Narrow(text);
}

int TextWidth(HWND window) {
    const std::wstring text = win32::Widen(TextOf(window));
    const HDC dc = GetDC(nullptr);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return extent.cx;
}

void PostKey(HWND target, WPARAM key) {
    PostMessageW(target, WM_KEYDOWN, key, 1);
    if (const UINT character = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_CHAR))
        PostMessageW(target, WM_CHAR, character, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace quelbrin::test
