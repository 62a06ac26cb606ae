#include "platform/win32/desktop_activate.h"

#include "platform/win32/window_tree.h"

namespace quelbrin::win32 {

namespace {

// Activation may complete later, in the target's thread (always so under
// Wine): each try waits this long for it, polling.
constexpr DWORD kFirstSettleMs = 150;
constexpr DWORD kRetrySettleMs = 50;
constexpr int kAttachedRetries = 3;
constexpr DWORD kPollMs = 10;

// Shares the input state of this thread with another while it lives, which
// lets SetForegroundWindow pass the foreground lock.
class InputAttachment {
public:
    explicit InputAttachment(DWORD other)
        : self_(GetCurrentThreadId()), other_(other),
          attached_(other != 0 && other != self_ && AttachThreadInput(self_, other, TRUE)) {}
    ~InputAttachment() {
        if (attached_) AttachThreadInput(self_, other_, FALSE);
    }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;

private:
    DWORD self_;
    DWORD other_;
    bool attached_;
};

// The window, or a window it owns (its own message box), is the foreground
// window, not minimised, and its thread has taken the activation. The owner
// chain is walked: GA_ROOTOWNER would name the hidden window an old
// installer hangs its windows off, not the window itself.
bool HoldsForeground(HWND window) {
    HWND foreground = GetForegroundWindow();
    if (!foreground || IsIconic(window)) return false;
    const DesktopWindowTree tree;
    if (!OwnerChainContains(tree, DesktopWindowTree::Of(foreground), DesktopWindowTree::Of(window))) return false;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return true;
    return info.hwndActive == foreground;
}

bool WaitForForeground(HWND window, DWORD milliseconds) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        if (HoldsForeground(window)) return true;
        if (GetTickCount64() - start >= milliseconds) return false;
        Sleep(kPollMs);
    }
}

bool Answers(HWND window) { return IsWindow(window) && !IsHungAppWindow(window); }

}  // namespace

DWORD ThreadToAttach(HWND foreground) {
    // Attached to a hung thread, this one would wait on it too.
    if (!foreground || IsHungAppWindow(foreground)) return 0;
    return GetWindowThreadProcessId(foreground, nullptr);
}

void BringToForeground(HWND target) {
    if (!Answers(target)) return;
    // While the target shows a modal box of its own, the box takes the activation.
    const DesktopWindowTree tree;
    const HWND window = DesktopWindowTree::Handle(ActivationWindow(tree, DesktopWindowTree::Of(target)));
    // The asynchronous forms post to the window's thread instead of waiting on it.
    if (IsIconic(target)) ShowWindowAsync(target, SW_RESTORE);
    if (HoldsForeground(target)) return;
    SetForegroundWindow(window);
    if (WaitForForeground(target, kFirstSettleMs)) return;
    for (int retry = 0; retry < kAttachedRetries; ++retry) {
        if (!Answers(window)) return;
        if (IsIconic(target)) ShowWindowAsync(target, SW_RESTORE);
        HWND foreground = GetForegroundWindow();
        {
            InputAttachment attached(ThreadToAttach(foreground));
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
            SetForegroundWindow(window);
        }
        if (WaitForForeground(target, kRetrySettleMs)) return;
    }
}

}  // namespace quelbrin::win32
