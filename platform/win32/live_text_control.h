#pragma once
#include "platform/win32/text_control.h"

namespace quelbrin::win32 {

// A status line that screen readers follow as a live region: each change of
// its text raises the live-region event, so the new text is read out.
class LiveTextControl final : public WindowTextControl {
public:
    using WindowTextControl::WindowTextControl;
    void SetText(const std::string& text) override;
};

}  // namespace quelbrin::win32
