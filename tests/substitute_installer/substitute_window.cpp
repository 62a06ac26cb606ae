#include "tests/substitute_installer/substitute_window.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <optional>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/top_level_window.h"

namespace substitute {

namespace {

using quelbrin::win32::Widen;

constexpr wchar_t kClassName[] = L"QuelbrinSubstituteInstaller";
constexpr UINT_PTR kCrashTimer = 1;
constexpr UINT_PTR kTimeoutTimer = 2;
constexpr UINT_PTR kClosingTimer = 3;
constexpr int kWidth = 480, kHeight = 150;

struct State {
    const WindowRun* run;
    HWND window = nullptr;
    HWND status = nullptr;
    int passes = 0;
    bool tabPending = false;
    bool crashNow = false;
    bool closing = false;  // the last pass is in, the window goes after closing_ms
    WindowEnd end = WindowEnd::Closed;
    const char* reason = "request";
};

const char* KeyName(WPARAM key) {
    if (key == VK_TAB) return "TAB";
    if (key == VK_RETURN) return "ENTER";
    return "OTHER";
}

std::string Hex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

void ShowProgress(const State& s) {
    const std::string text = "Passes: " + std::to_string(s.passes) + " of " + std::to_string(s.run->settings.passes) +
                             "   (mode " + ModeName(s.run->settings.mode) + ")";
    SetWindowTextW(s.status, Widen(text).c_str());
}

// The "close" line is written once the window is gone (RunWindow).
void Close(State& s, WindowEnd end, const char* reason) {
    s.end = end;
    s.reason = reason;
    DestroyWindow(s.window);
}

// Works on the window's thread without reading input, as an installer that
// copies its files after an Enter does; then logs how many keys were pressed
// meanwhile (they wait in the queue) and puts every key message back, in
// order, for the message loop.
void BeBusy(const State& s) {
    Sleep(static_cast<DWORD>(s.run->settings.busyMs));
    std::vector<MSG> waiting;
    int pressed = 0;
    for (MSG m; PeekMessageW(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE); waiting.push_back(m))
        pressed += m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
    s.run->log.Write("busy", "waiting=" + std::to_string(pressed));
    for (const MSG& m : waiting) PostMessageW(m.hwnd, m.message, m.wParam, m.lParam);
}

void OnKey(State& s, WPARAM key) {
    const bool foreground = GetForegroundWindow() == s.window;
    const WindowRun& run = *s.run;
    run.log.Write("key", std::string(KeyName(key)) + " vk=" + Hex(static_cast<unsigned>(key)) +
                             " foreground=" + (foreground ? "yes" : "no") + " window=" + std::to_string(run.number));
    if (run.settings.mode == Mode::Crash) {
        s.crashNow = true;  // outside the window procedure, from the message loop
        return;
    }
    if (run.settings.mode == Mode::IgnoreKeys || s.closing) return;
    if (key == VK_TAB) {
        s.tabPending = true;
        return;
    }
    const bool pass = key == VK_RETURN && s.tabPending;
    s.tabPending = false;
    if (!pass) return;
    ++s.passes;
    run.log.Write("pass", std::to_string(s.passes) + " of " + std::to_string(run.settings.passes));
    ShowProgress(s);
    if (s.passes >= run.settings.passes && run.settings.closingMs > 0) {
        s.closing = true;
        SetTimer(s.window, kClosingTimer, static_cast<UINT>(run.settings.closingMs), nullptr);
    } else if (s.passes >= run.settings.passes) {
        Close(s, WindowEnd::Passes, "passes");
    } else if (run.settings.busyMs > 0) BeBusy(s);
}

// The window's messages; nullopt leaves one to Windows.
std::optional<LRESULT> OnMessage(State& s, HWND window, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKey(s, wParam);
        return 0;
    case WM_TIMER:
        KillTimer(window, wParam);
        if (wParam == kCrashTimer) s.crashNow = true;
        if (wParam == kClosingTimer) Close(s, WindowEnd::Passes, "passes");
        if (wParam == kTimeoutTimer) {
            s.run->log.Write("timeout");
            Close(s, WindowEnd::TimedOut, "timeout");
        }
        return 0;
    case WM_CLOSE:
        Close(s, WindowEnd::Closed, "request");
        return 0;
    default:
        return std::nullopt;
    }
}

HWND Label(HWND parent, HINSTANCE instance, const std::string& text, int top) {
    HWND label = CreateWindowExW(0, L"STATIC", Widen(text).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 16, top,
                                 kWidth - 40, 22, parent, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return label;
}

}  // namespace

WindowEnd RunWindow(const WindowRun& run) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    State state{&run};
    const quelbrin::test::TopLevelWindowDesign design{kClassName, Widen(run.title),
                                                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                                      CW_USEDEFAULT, CW_USEDEFAULT, kWidth, kHeight, COLOR_BTNFACE};
    HWND window = quelbrin::test::CreateTopLevelWindow(
        design, [&state](HWND w, UINT message, WPARAM wParam, LPARAM) { return OnMessage(state, w, message, wParam); });
    if (!window) {
        run.log.Write("error", "the window could not be made: code " + std::to_string(GetLastError()));
        return WindowEnd::Failed;
    }
    state.window = window;
    Label(window, instance, "Substitute installer. Press Tab, then Enter.", 16);
    state.status = Label(window, instance, "", 44);
    ShowProgress(state);
    ShowWindow(window, run.showCommand);
    UpdateWindow(window);
    run.log.Write("window", std::to_string(run.number) + " foreground=" +
                                (GetForegroundWindow() == window ? "yes" : "no") + " title=" + run.title);

    if (run.settings.mode == Mode::Crash && run.settings.crashMs > 0)
        SetTimer(window, kCrashTimer, static_cast<UINT>(run.settings.crashMs), nullptr);
    if (run.deadline) {
        const unsigned long long now = GetTickCount64();
        SetTimer(window, kTimeoutTimer, run.deadline > now ? static_cast<UINT>(run.deadline - now) : 1, nullptr);
    }

    quelbrin::test::RunMessageLoop([&] {
        if (state.crashNow) CrashNow(run.log);
    });
    if (IsWindow(window)) DestroyWindow(window);
    run.log.Write("close", std::to_string(run.number) + " " + state.reason);
    return state.end;
}

void CrashNow(const Log& log) {
    log.Write("crash", "access violation");
    // An address the compiler can't see through, so this stays a real write fault.
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
    std::abort();
}

}  // namespace substitute
