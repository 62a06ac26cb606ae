// The bare platform's re-list, as a window program the driver drives exactly
// as it drives Quelbrin: a folder box, a list box and two status lines with
// Quelbrin's control ids. When the folder box's text changes it lists the
// folder (bare enumeration, the list's sort), fills the list box the way a
// plain program would (sorted first, added to an unsorted list box with
// drawing held off), selects the first file and shows the count.
#include <string>

#include "bench/baseline_listing.h"
#include "bench/baseline_shell.h"

namespace {

constexpr int kFolderId = 105, kListId = 106, kStatus2Id = 107, kStatus1Id = 108;
constexpr wchar_t kClassName[] = L"QuelbrinBenchRelistBaseline";
constexpr wchar_t kTitle[] = L"Quelbrin re-list baseline";

HWND Item(HWND window, int id) { return GetDlgItem(window, id); }

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Relist(HWND window) {
    const quelbrin::bench::BareListing listing = quelbrin::bench::ListHfzBare(TextOf(Item(window, kFolderId)));
    if (listing.error != ERROR_SUCCESS) {
        SetWindowTextW(Item(window, kStatus2Id), L"Invalid path");
        return;
    }
    const HWND list = Item(window, kListId);
    std::size_t bytes = 0;
    for (const std::wstring& name : listing.names) bytes += (name.size() + 1) * sizeof(wchar_t);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    SendMessageW(list, LB_INITSTORAGE, listing.names.size(), static_cast<LPARAM>(bytes));
    for (const std::wstring& name : listing.names)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    SendMessageW(list, LB_SETCURSEL, listing.names.empty() ? static_cast<WPARAM>(-1) : 0, 0);
    SetWindowTextW(Item(window, kStatus1Id), listing.names.empty() ? L"" : listing.names.front().c_str());
    SetWindowTextW(Item(window, kStatus2Id), (std::to_wstring(listing.names.size()) + L" .hfz files").c_str());
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == kFolderId && HIWORD(wParam) == EN_CHANGE) {
        Relist(hwnd);
        return 0;
    }
    return quelbrin::bench::DefaultBaselineProc(hwnd, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* cls, DWORD style, DWORD exStyle, int x, int y, int w, int h, int id) {
    return CreateWindowExW(exStyle, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    HWND window = quelbrin::bench::CreateBaselineWindow(instance, kClassName, kTitle, WindowProc);
    if (window == nullptr) return 1;
    Child(window, L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 8, 8, 153, 97, kListId);
    Child(window, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 112, 209, 17, kStatus2Id);
    Child(window, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 209, 112, 209, 17, kStatus1Id);
    // Last, so that its first text lists the own folder with every control there.
    HWND folder = Child(window, L"EDIT", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 168, 8, 240, 21, kFolderId);
    SetWindowTextW(folder, quelbrin::bench::OwnFolder().c_str());
    ShowWindow(window, show);
    UpdateWindow(window);

    return quelbrin::bench::RunMessageLoop();
}
