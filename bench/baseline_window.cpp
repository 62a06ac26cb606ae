// The smallest program that does what Quelbrin's start-up does: list the
// folder it was started from, then show one window with the count in a label
// that has Quelbrin's status line id.
#include <string>

#include "bench/baseline_listing.h"

namespace {

constexpr int kStatusId = 107;
constexpr wchar_t kClassName[] = L"QuelbrinBenchBaseline";
constexpr wchar_t kTitle[] = L"Quelbrin baseline";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring OwnFolder() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    const std::size_t slash = folder.find_last_of(L'\\');
    return slash == std::wstring::npos ? folder : folder.substr(0, slash);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const quelbrin::bench::BareListing listing = quelbrin::bench::ListHfzBare(OwnFolder());
    const std::wstring status =
        listing.error == ERROR_SUCCESS ? std::to_wstring(listing.names.size()) + L" .hfz files"
                                       : L"Invalid path";

    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassW(&wc)) return 1;

    HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 423, 158, nullptr, nullptr, instance,
                                  nullptr);
    if (window == nullptr) return 1;
    CreateWindowExW(0, L"STATIC", status.c_str(), WS_CHILD | WS_VISIBLE, 0, 112, 209, 17, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
