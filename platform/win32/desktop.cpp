#include "platform/key_notation.h"
#include "platform/win32/desktop_activate.h"
#include "platform/win32/desktop_keys.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

class Win32Desktop : public Desktop {
public:
    bool FindWindow(const std::string& title) override {
        SetLastError(ERROR_SUCCESS);
        if (::FindWindowW(nullptr, Widen(title).c_str())) return true;
        // "Not found" leaves no error, or one of these; anything else is a failure.
        const DWORD error = GetLastError();
        if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND && error != ERROR_INVALID_WINDOW_HANDLE)
            throw MakeError(error, "FindWindowW");
        return false;
    }

    void AppActivate(const std::string& title) override {
        HWND target = FindActivationTarget(Widen(title));
        if (!target) throw MakeError(ERROR_INVALID_WINDOW_HANDLE, "AppActivate");
        BringToForeground(target);
    }

    ForegroundWindow Foreground() override {
        HWND window = GetForegroundWindow();
        if (!window) return {};
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        return {true, processId, Narrow(WindowTitle(window))};
    }

    bool SendKeys(const std::string& keys, bool wait) override {
        const ParsedKeys parsed = ParseKeyNotation(keys);
        if (!parsed.ok())
            throw ErrorInfo(ERROR_INVALID_PARAMETER, "SendKeys",
                            "The keystrokes \"" + keys + "\" can't be typed: " + parsed.error + ".");
        return TypeKeys(parsed.keys, wait);
    }
};

}  // namespace

std::unique_ptr<Desktop> MakeDesktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace quelbrin::win32
