// Another program's window, for the tests: it logs every key that reaches it
// and takes the foreground when told to.
//   intruder_window LOG TITLE
// Told by a posted message: WM_APP asks it to take the foreground, WM_CLOSE
// ends it. It ends by itself after five minutes.
// Log, appended, one line per event (times as the substitute installer's):
//   <milliseconds since 1970 UTC> <event> <detail>
//   ready
//   grab asked                 (the test sees for itself when it holds the foreground)
//   key vk=0xNN foreground=yes|no   WM_KEYDOWN or WM_SYSKEYDOWN
//   char code=0xNNNN           WM_CHAR
//   exit
#include <cstdio>
#include <optional>
#include <string>

#include "platform/win32/windows_wrapper.h"
#include "tests/support/log_file.h"
#include "tests/support/top_level_window.h"

#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"QuelbrinTestIntruder";
constexpr UINT kGrab = WM_APP;
constexpr UINT_PTR kLifeTimer = 1;
constexpr UINT kLifeMs = 300000;

std::wstring g_log;

void Log(const std::string& event, const std::string& detail = {}) {
    quelbrin::test::AppendLogLine(g_log, detail.empty() ? event : event + " " + detail);
}

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::optional<LRESULT> OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case kGrab:
        Log("grab", "asked");
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        SetFocus(window);
        return 0;
    case WM_TIMER:
        if (wParam == kLifeTimer) DestroyWindow(window);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Log("key", "vk=" + Hex(static_cast<unsigned>(wParam), 2) +
                       (GetForegroundWindow() == window ? " foreground=yes" : " foreground=no"));
        return 0;
    case WM_CHAR:
        Log("char", "code=" + Hex(static_cast<unsigned>(wParam), 4));
        return 0;
    default:
        return std::nullopt;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 3) return 2;
    g_log = argv[1];
    const std::wstring title = argv[2];
    LocalFree(argv);

    // Large and near the top left, so that it covers the installer's window.
    HWND window = quelbrin::test::CreateTopLevelWindow({kClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, 900, 700},
                                                       OnMessage);
    if (!window) return 4;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, kLifeTimer, kLifeMs, nullptr);
    Log("ready");
    quelbrin::test::RunMessageLoop();
    Log("exit");
    return 0;
}
