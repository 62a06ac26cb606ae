#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Keeps the control that had the focus when a window was deactivated and
// gives it back on activation, as dialog boxes do.
class FocusMemory {
public:
    void Remember(HWND control) { control_ = control; }
    HWND Remembered() const { return control_; }
    // For WM_ACTIVATE; true when the focus has been placed.
    bool OnActivate(HWND window, WPARAM wParam);

private:
    HWND control_ = nullptr;
};

}  // namespace quelbrin::win32
