#include "bench/baseline_shell.h"

namespace quelbrin::bench {

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    const std::size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? folder : folder.substr(0, slash);
}

HWND CreateBaselineWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title, WNDPROC proc) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassW(&wc)) return nullptr;
    return CreateWindowExW(0, className, title, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                           CW_USEDEFAULT, 423, 158, nullptr, nullptr, instance, nullptr);
}

LRESULT CALLBACK DefaultBaselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace quelbrin::bench
