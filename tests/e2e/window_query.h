#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::e2e {

// Looking at and poking windows of another process, only through messages
// that never block for long.

struct TopWindow {
    HWND hwnd = nullptr;
    DWORD processId = 0;
    std::wstring className;
    std::wstring title;
    bool visible = false;
};

// Every top-level window on the desktop, hidden ones included.
std::vector<TopWindow> TopLevelWindows();

// A top-level window with exactly this title, optionally of one process
// (0: any) and one class (empty: any); nullopt when there is none.
std::optional<TopWindow> FindTopLevel(const std::wstring& title, DWORD processId = 0,
                                      const std::wstring& className = L"");

// The main window of a Quelbrin process: titled "Quelbrin", not a message box.
std::optional<TopWindow> FindQuelbrinWindow(DWORD processId);

// A message box of a process (class "#32770" with a static text 0xFFFF).
struct MessageBoxInfo {
    HWND hwnd = nullptr;
    std::wstring title;
    std::wstring text;
};
std::vector<MessageBoxInfo> MessageBoxesOf(DWORD processId);

// A message's answer through SendMessageTimeoutW; nullopt when the window is gone or hangs.
std::optional<DWORD_PTR> Ask(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, UINT timeoutMs = 3000);

// A window's text as the system keeps it, without a message: for a window
// whose thread may be busy or pump no messages.
std::wstring StoredText(HWND hwnd);

// WM_GETTEXT through SendMessageTimeoutW; nullopt when the window is gone or hangs.
std::optional<std::wstring> WindowText(HWND hwnd, UINT timeoutMs = 3000);
std::optional<std::wstring> ControlText(HWND parent, int id, UINT timeoutMs = 3000);

// WM_SETTEXT through SendMessageTimeoutW: returns once the owner has handled it.
bool SetControlText(HWND parent, int id, const std::wstring& text, UINT timeoutMs = 10000);

// BM_CLICK posted, never sent: a click handler may run a long loop.
bool PostClick(HWND parent, int id);

// Presses OK on a message box.
bool AnswerOk(HWND box);

bool IsEnabled(HWND parent, int id);

// The items of a list box and its selection (-1: none).
struct ListState {
    std::vector<std::wstring> items;
    int selected = -1;
};
std::optional<ListState> ReadListBox(HWND parent, int id, UINT timeoutMs = 3000);
// One item of a list box; nullopt past the last one.
std::optional<std::wstring> ListBoxItem(HWND list, int index, UINT timeoutMs = 3000);

}  // namespace quelbrin::e2e
