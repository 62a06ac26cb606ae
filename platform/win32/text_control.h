#pragma once
#include <functional>
#include <string>

#include "platform/controls.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A button's or label's caption through the window text.
class WindowTextControl : public TextControl {
public:
    explicit WindowTextControl(HWND control) : control_(control) {}
    bool Enabled() const override;
    void SetEnabled(bool enabled) override;
    std::string Text() const override;
    void SetText(const std::string& text) override;
    HWND Handle() const { return control_; }

private:
    HWND control_;
};

// A single-line text box. Its Change event fires once per change, whether
// the user typed or SetText assigned the text.
class EditControl : public WindowTextControl {
public:
    EditControl(HWND control, std::function<void()> onChange);
    void SetText(const std::string& text) override;
    // For the parent's EN_CHANGE.
    void OnEditChanged();

private:
    std::function<void()> onChange_;
    bool assigning_ = false;
};

}  // namespace quelbrin::win32
