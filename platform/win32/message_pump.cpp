#include "platform/win32/message_pump.h"

#include <utility>

#include "platform/window_design.h"
#include "platform/win32/window_classes.h"

namespace quelbrin::win32 {

namespace {

bool HasClass(HWND window, const wchar_t* className) {
    wchar_t name[64];
    return window && GetClassNameW(window, name, 64) > 0 && lstrcmpiW(name, className) == 0;
}

// The key's down, up and character messages (VK_RETURN and VK_SPACE are
// also their characters).
bool IsKey(const MSG& m, WPARAM key) {
    switch (m.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
        return m.wParam == key;
    default:
        return false;
    }
}

// While an install runs "Cancel / Exit" is the only enabled control and
// holds the focus, so an Enter typed for the installer can land on it; it
// must never press it, nor may a Space while it is busy. Esc does.
bool IsExitButton(HWND window) {
    return window && GetDlgCtrlID(window) == layout::IdBtExit &&
           HasClass(GetAncestor(window, GA_PARENT), kMainWindowClass);
}

UINT dispatching = 0;  // the one UI thread's

}  // namespace

UINT DispatchingMessage() { return dispatching; }

bool PreTranslateMessage(MSG& message) {
    if (IsExitButton(message.hwnd) &&
        (IsKey(message, VK_RETURN) || (IsKey(message, VK_SPACE) && GetPropW(message.hwnd, kBusyProperty))))
        return true;
    if (!message.hwnd) return false;
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (message.message == WM_MOUSEMOVE && root != message.hwnd && HasClass(message.hwnd, L"ListBox") &&
        HasClass(root, kMainWindowClass))
        SendMessageW(root, kFileListMouseMove, reinterpret_cast<WPARAM>(message.hwnd), message.lParam);
    if (HasClass(root, kMainWindowClass) || HasClass(root, kDialogWindowClass))
        return IsDialogMessageW(root, &message) != FALSE;
    return false;
}

void DispatchWithKeyboardHandling(MSG& message) {
    // IsDialogMessage dispatches most of what it is given itself.
    const UINT outer = std::exchange(dispatching, message.message);  // pumps nest
    if (!PreTranslateMessage(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    dispatching = outer;
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) ExitProcess(static_cast<UINT>(message.wParam));
        DispatchWithKeyboardHandling(message);
    }
}

int RunMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        DispatchWithKeyboardHandling(message);
    }
}

}  // namespace quelbrin::win32
