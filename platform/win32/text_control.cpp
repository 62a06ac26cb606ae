#include "platform/win32/text_control.h"

#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

bool WindowTextControl::Enabled() const { return IsWindowEnabled(control_) != FALSE; }

void WindowTextControl::SetEnabled(bool enabled) { EnableWindow(control_, enabled ? TRUE : FALSE); }

std::string WindowTextControl::Text() const {
    const int length = GetWindowTextLengthW(control_);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

void WindowTextControl::SetText(const std::string& text) {
    if (!SetWindowTextW(control_, Widen(text).c_str())) ThrowLastError("SetWindowTextW");
}

EditControl::EditControl(HWND control, std::function<void()> onChange)
    : WindowTextControl(control), onChange_(std::move(onChange)) {
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // no 32,767-character limit
}

void EditControl::SetText(const std::string& text) {
    // Whether WM_SETTEXT notifies differs between edit control versions and
    // styles: hold back its EN_CHANGE and raise the event once ourselves.
    assigning_ = true;
    try {
        WindowTextControl::SetText(text);
    } catch (...) {
        assigning_ = false;
        throw;
    }
    assigning_ = false;
    if (onChange_) onChange_();
}

void EditControl::OnEditChanged() {
    if (!assigning_ && onChange_) onChange_();
}

}  // namespace quelbrin::win32
