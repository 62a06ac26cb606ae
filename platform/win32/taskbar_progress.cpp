#include "platform/win32/taskbar_progress.h"

#include "platform/win32/com_library.h"
#include "platform/win32/system_function.h"
#include "platform/win32/window_tree.h"

namespace quelbrin::win32 {

namespace {

// Not in Windows Vista's user32.
using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW

void LetThroughToElevatedWindow(HWND window, UINT message) {
    if (const auto allow = SystemFunction<ChangeWindowMessageFilterExFn>(L"user32.dll", "ChangeWindowMessageFilterEx"))
        allow(window, message, kMessageFilterAllow, nullptr);
}

// CLSID_TaskbarList and IID_ITaskbarList3, defined here so that no import
// library's data is linked in.
constexpr GUID kTaskbarListClass{0x56fdf344, 0xfd6d, 0x11d0, {0x95, 0x8a, 0x00, 0x60, 0x97, 0xc9, 0xa0, 0x90}};
constexpr GUID kTaskbarList3Interface{0xea1afb91, 0x9e28, 0x4b86, {0x90, 0xe9, 0x9e, 0x9f, 0x8a, 0x5e, 0xef, 0xaf}};

}  // namespace

TaskbarProgress::TaskbarProgress(HWND window)
    : window_(window), buttonCreated_(RegisterWindowMessageW(L"TaskbarButtonCreated")) {
    if (buttonCreated_ != 0) LetThroughToElevatedWindow(window_, buttonCreated_);
}

void TaskbarProgress::OnButtonCreated() {
    if (!taskbar_) {
        ITaskbarList3* made = nullptr;
        // COM, and ole32 with it, only now that the button is there.
        if (FAILED(com::CreateInProcess(kTaskbarListClass, kTaskbarList3Interface, reinterpret_cast<void**>(&made))) ||
            !made)
            return;
        UniqueCom<ITaskbarList3> taskbar(made);
        if (FAILED(taskbar.get()->HrInit())) return;
        taskbar_ = std::move(taskbar);
    }
    Apply();
}

void TaskbarProgress::ShowProgress(int done, int total) {
    state_ = TBPF_NORMAL;
    done_ = static_cast<ULONGLONG>(done > 0 ? done : 0);
    total_ = static_cast<ULONGLONG>(total > 0 ? total : 0);
    Apply();
}

void TaskbarProgress::ShowError() {
    state_ = TBPF_ERROR;
    Apply();
}

void TaskbarProgress::ClearProgress() {
    state_ = TBPF_NOPROGRESS;
    Apply();
}

void TaskbarProgress::ShowPaused(bool paused) {
    paused_ = paused;
    Apply();
}

void TaskbarProgress::Apply() {
    if (!taskbar_) return;
    // Failures here cost the user only the bar; the batch goes on regardless.
    ITaskbarList3* taskbar = taskbar_.get();
    taskbar->SetProgressState(window_, paused_ && state_ == TBPF_NORMAL ? TBPF_PAUSED : state_);
    if (state_ != TBPF_NOPROGRESS && total_ > 0) taskbar->SetProgressValue(window_, done_, total_);
}

// In front: the main window, or a window it owns (a box or dialog of ours).
bool TaskbarProgress::InFront() const {
    return OwnerChainContains(DesktopWindowTree(), DesktopWindowTree::Of(GetForegroundWindow()),
                              DesktopWindowTree::Of(window_));
}

void TaskbarProgress::Flash() {
    // Flashes until the window comes to the front, then stops by itself.
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = window_;
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    FlashWindowEx(&flash);
}

}  // namespace quelbrin::win32
