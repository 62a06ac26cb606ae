#include "platform/win32/child_window.h"

#include <algorithm>

#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

HWND CreateChildControl(HWND parent, const wchar_t* className, const std::string& text,
                        DWORD style, DWORD exStyle, int id) {
    const HWND control = CreateWindowExW(
        exStyle, className, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!control) ThrowLastError("CreateWindowExW");
    return control;
}

void ApplyTabOrder(std::vector<std::pair<int, HWND>> controls) {
    std::stable_sort(controls.begin(), controls.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    HWND after = HWND_TOP;
    for (const auto& entry : controls) {
        SetWindowPos(entry.second, after, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        after = entry.second;
    }
}

void FitClientArea(HWND window, int width, int height) {
    RECT client{}, outer{};
    if (!GetClientRect(window, &client) || !GetWindowRect(window, &outer)) return;
    const int dx = width - (client.right - client.left);
    const int dy = height - (client.bottom - client.top);
    if (dx == 0 && dy == 0) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace quelbrin::win32
