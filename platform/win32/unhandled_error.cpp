#include "platform/win32/unhandled_error.h"

#include "main_window/main_form_layout.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

void ReportUnhandledError(HWND window, const std::string& description) noexcept {
    try {
        const std::string text =
            description.empty() ? "An unexpected error occurred." : "An unexpected error occurred:\r\n" + description;
        const HWND owner = window ? GetAncestor(window, GA_ROOT) : nullptr;
        MessageBoxW(owner && IsWindowVisible(owner) ? owner : nullptr, Widen(text).c_str(),
                    Widen(layout::kAppTitle).c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory while reporting: nothing left to tell the user with.
    }
}

}  // namespace quelbrin::win32
