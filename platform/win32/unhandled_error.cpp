#include "platform/win32/unhandled_error.h"

#include "platform/win32/desktop_windows.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

void ReportUnhandledError(HWND window, const std::string& description) noexcept {
    try {
        const std::string text =
            description.empty() ? "An unexpected error occurred." : "An unexpected error occurred:\r\n" + description;
        const HWND owner = window ? GetAncestor(window, GA_ROOT) : nullptr;
        // Under the program's title: the caption of the window that owns them all.
        const HWND main = window ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
        const std::wstring title = main ? WindowTitle(main) : std::wstring();
        MessageBoxW(owner && IsWindowVisible(owner) ? owner : nullptr, Widen(text).c_str(),
                    title.c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
        // Out of memory while reporting: nothing left to tell the user with.
    }
}

}  // namespace quelbrin::win32
