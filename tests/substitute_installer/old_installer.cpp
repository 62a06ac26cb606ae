// A stand-in for an installer of the old kind: an ANSI program (built
// without UNICODE: GetCommandLineA, CreateWindowExA) whose titled window
// hangs off a hidden owner window, and which answers the first Enter with a
// modal box of its own. A second Enter on its window closes it. It appends
// "open <package>" (or "cannot-open <package>" when fopen fails on the
// path it got), "box <package>" and "done <package>" (ANSI bytes) to the log
// beside it.
//
// It includes <windows.h> itself: the program's one wrapper header makes
// every program it is in a Unicode program, which this one must not be.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string g_package;
std::string g_log;

void Log(const char* what) {
    if (FILE* f = std::fopen(g_log.c_str(), "ab")) {
        std::fprintf(f, "%s %s\r\n", what, g_package.c_str());
        std::fclose(f);
    }
}

// The package: the command line after the program's own (maybe quoted) path.
std::string PackageOf(const char* commandLine) {
    std::string line = commandLine ? commandLine : "";
    std::size_t rest = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        rest = close == std::string::npos ? line.size() : close + 1;
    } else {
        rest = line.find(' ');
        if (rest == std::string::npos) rest = line.size();
    }
    while (rest < line.size() && line[rest] == ' ') ++rest;
    return line.substr(rest);
}

bool g_boxAnswered = false;

void CALLBACK GiveUp(HWND window, UINT, UINT_PTR, DWORD) { DestroyWindow(window); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam != VK_RETURN) break;
        if (!g_boxAnswered) {
            MessageBoxA(window, "Install this package?", "Old installer", MB_OK);
            g_boxAnswered = true;
            Log("box");
        } else {
            Log("done");
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    g_log = std::string(self) + ".log";
    g_package = PackageOf(GetCommandLineA());
    FILE* package = std::fopen(g_package.c_str(), "rb");
    Log(package ? "open" : "cannot-open");
    if (package) std::fclose(package);

    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "OldInstallerWindow";
    RegisterClassA(&wc);

    const HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    const std::string title = "Installing  " + g_package;
    const HWND window = CreateWindowExA(0, "OldInstallerWindow", title.c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                        200, 200, 420, 160, owner, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, show);
    SetForegroundWindow(window);
    // A forgotten one ends by itself.
    SetTimer(window, 1, 120000, GiveUp);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(owner);
    return 0;
}
