#include "platform/key_notation.h"
#include "platform/win32/desktop_activate.h"
#include "platform/win32/desktop_keys.h"
#include "platform/win32/desktop_windows.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/window_tree.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

// GetLastInputInfo counts the keys this program types as input too. The
// last input is read right before each of them, so what came from the user
// until then is kept, and input from the moments this program typed is left out.
class UserInputClock {
public:
    std::int64_t IdleMs() {
        Sample();
        return haveUser_ ? static_cast<DWORD>(GetTickCount() - lastUser_) : kLongIdleMs;
    }
    void Typing() {
        Sample();
        from_ = GetTickCount();
        typing_ = true;
    }
    void Typed() {
        until_ = GetTickCount();
        typing_ = false;
        typed_ = true;
    }

private:
    static constexpr std::int64_t kLongIdleMs = 1LL << 40;
    // Input is stamped when the system takes it, a little after the call.
    static constexpr DWORD kStampSlackMs = 50;

    void Sample() {
        LASTINPUTINFO info{};
        info.cbSize = sizeof info;
        if (!GetLastInputInfo(&info) || (seen_ && info.dwTime == lastSeen_)) return;  // nothing new
        lastSeen_ = info.dwTime;
        seen_ = true;
        if (typing_ || typed_) {
            const DWORD end = typing_ ? GetTickCount() : until_;
            if (static_cast<DWORD>(info.dwTime - from_) <= static_cast<DWORD>(end - from_) + kStampSlackMs) return;
        }
        lastUser_ = info.dwTime;
        haveUser_ = true;
    }

    DWORD lastUser_ = 0, lastSeen_ = 0;
    bool haveUser_ = false, seen_ = false;
    DWORD from_ = 0, until_ = 0;
    bool typing_ = false, typed_ = false;
};

std::wstring DesktopName(HDESK desktop) {
    wchar_t name[256] = {};
    if (!GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name - sizeof(wchar_t), nullptr)) return {};
    return name;
}

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
        ForegroundWindow fg{true, processId, Narrow(WindowTitle(window)), {}};
        for (WindowTree::Window owner : OwnerChain(DesktopWindowTree(), DesktopWindowTree::Of(window)))
            fg.ownerTitles.push_back(Narrow(WindowTitle(DesktopWindowTree::Handle(owner))));
        return fg;
    }

    bool SendKeys(const std::string& keys, bool wait, const KeyGate& gate) override {
        const ParsedKeys parsed = ParseKeyNotation(keys);
        if (!parsed.ok())
            throw ErrorInfo(ERROR_INVALID_PARAMETER, "SendKeys",
                            "The keystrokes \"" + keys + "\" can't be typed: " + parsed.error + ".");
        input_.Typing();
        const bool typed = TypeKeys(parsed.keys, gate);
        input_.Typed();
        if (typed && wait) read_.Start(parsed.keys.size());
        return typed;
    }

    bool KeysRead() override { return read_.Done(); }

    // A user's program can't open the secure desktops (Winlogon's, the
    // screen saver's) at all; any other input desktop must be this one.
    bool OnInputDesktop() override {
        const UniqueDesktop input(OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS));
        if (!input) return false;
        return DesktopName(input.get()) == DesktopName(GetThreadDesktop(GetCurrentThreadId()));
    }

    std::int64_t UserIdleMs() override { return input_.IdleMs(); }

    bool ModifiersHeld() override {
        for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
            if (GetAsyncKeyState(key) & 0x8000) return true;
        return false;
    }

    // As GetCommandLineA gives it: WideCharToMultiByte with best fit, then back.
    std::string AnsiRoundTrip(const std::string& title) override {
        const std::wstring wide = Widen(title);
        if (wide.empty()) return title;
        const int size = static_cast<int>(wide.size());
        const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
        if (bytes <= 0) return title;
        std::string ansi(static_cast<std::size_t>(bytes), '\0');
        WideCharToMultiByte(CP_ACP, 0, wide.data(), size, ansi.data(), bytes, nullptr, nullptr);
        const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, nullptr, 0);
        if (units <= 0) return title;
        std::wstring back(static_cast<std::size_t>(units), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), bytes, back.data(), units);
        return Narrow(back);
    }

private:
    UserInputClock input_;
    KeysReadProbe read_;
};

}  // namespace

std::unique_ptr<Desktop> MakeDesktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace quelbrin::win32
