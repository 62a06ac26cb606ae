#include "tests/support/window_text.h"

#include <commctrl.h>

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

namespace {

struct TooltipSearch {
    HWND owner, found;
};

BOOL CALLBACK IsOwnedTooltip(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<TooltipSearch*>(search);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, TOOLTIPS_CLASSW) != 0 || GetWindow(window, GW_OWNER) != s.owner) return TRUE;
    s.found = window;
    return FALSE;
}

}  // namespace

HWND TooltipOwnedBy(HWND owner) {
    TooltipSearch search{owner, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), IsOwnedTooltip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string TipText(HWND tooltip, HWND owner, HWND control) {
    wchar_t buffer[512] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = buffer;
    SendMessageW(tooltip, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
    return win32::Narrow(buffer);
}

}  // namespace quelbrin::test
