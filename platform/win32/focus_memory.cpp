#include "platform/win32/focus_memory.h"

namespace quelbrin::win32 {

bool FocusMemory::OnActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) control_ = focus;
        return false;
    }
    // A control disabled meanwhile can't take the focus: the window keeps it.
    if (control_ && IsChild(window, control_) && IsWindowEnabled(control_)) {
        SetFocus(control_);
        return true;
    }
    return false;
}

}  // namespace quelbrin::win32
