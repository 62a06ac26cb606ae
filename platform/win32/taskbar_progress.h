#pragma once
#include "platform/taskbar_button.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_wrapper.h"

#include <shobjidl.h>

namespace quelbrin::win32 {

// The main window's taskbar button through ITaskbarList3. The shell says
// when the button exists with a registered message; only then is the
// interface made. Where it can't be made (older Windows, Wine without it)
// the progress calls do nothing, and the flash still works.
class TaskbarProgress final : public TaskbarButton {
public:
    // Lets the shell's message through to `window` even though Quelbrin runs
    // elevated and Explorer does not.
    explicit TaskbarProgress(HWND window);

    // True for the shell's "TaskbarButtonCreated" message, sent when the
    // button appears (again after Explorer restarts).
    bool IsButtonCreated(UINT message) const { return buttonCreated_ != 0 && message == buttonCreated_; }
    void OnButtonCreated();
    // Whether the taskbar interface was made.
    bool Available() const { return static_cast<bool>(taskbar_); }

    void ShowProgress(int done, int total) override;
    void ShowError() override;
    void ClearProgress() override;
    void ShowPaused(bool paused) override;
    bool InFront() const override;
    void Flash() override;

private:
    void Apply();

    HWND window_;
    UINT buttonCreated_;
    UniqueCom<ITaskbarList3> taskbar_;
    // What the button shows, kept for a button made again.
    TBPFLAG state_ = TBPF_NOPROGRESS;
    bool paused_ = false;
    ULONGLONG done_ = 0, total_ = 0;
};

}  // namespace quelbrin::win32
