#include "bench/driver/remote_window.h"

namespace quelbrin::bench {

namespace {

struct Search {
    DWORD processId;
    const std::wstring* title;
    bool dialogs;
    HWND found;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId) return TRUE;
    wchar_t className[64] = {};
    GetClassNameW(hwnd, className, 64);
    if ((wcscmp(className, L"#32770") == 0) != search->dialogs) return TRUE;
    // No message: the window's owner may be busy.
    wchar_t title[512] = {};
    const int n = InternalGetWindowText(hwnd, title, 512);
    if (std::wstring(title, n > 0 ? n : 0) != *search->title) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindTopLevel(DWORD processId, const std::wstring& title, bool dialogs) {
    Search search{processId, &title, dialogs, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::optional<std::wstring> ControlText(HWND parent, int id, UINT timeoutMs) {
    HWND control = GetDlgItem(parent, id);
    if (control == nullptr) return std::nullopt;
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             timeoutMs, &copied))
        return std::nullopt;
    return std::wstring(text, copied < 512 ? copied : 511);
}

bool SetControlText(HWND parent, int id, const std::wstring& text, UINT timeoutMs) {
    HWND control = GetDlgItem(parent, id);
    if (control == nullptr) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_NORMAL, timeoutMs, &result) != 0;
}

bool PostClick(HWND parent, int id) {
    HWND control = GetDlgItem(parent, id);
    return control != nullptr && PostMessageW(control, BM_CLICK, 0, 0) != FALSE;
}

}  // namespace quelbrin::bench

namespace quelbrin::bench {

void ParkPointer() { SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1); }

}  // namespace quelbrin::bench
