// Quelbrin: installs the Hollywood FX ".hfz" packages of a folder, one or all.
#include "platform/win32/windows_wrapper.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <optional>
#include <string>

#include "main_window/main_form.h"
#include "main_window/main_form_layout.h"
#include "platform/command_line.h"
#include "platform/win32/com_library.h"
#include "platform/win32/dll_search.h"
#include "platform/win32/long_path.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

namespace {

void ShowStartupError(const std::string& description) {
    try {
        const std::string text = "Quelbrin could not start:\r\n" + description;
        MessageBoxW(nullptr, quelbrin::win32::Widen(text).c_str(),
                    quelbrin::win32::Widen(quelbrin::layout::kAppTitle).c_str(), MB_OK | MB_ICONERROR);
    } catch (...) {
    }
}

// The folder or package named on the command line ("Send to" hands over the
// selected item's path), made absolute against the folder Quelbrin was
// started in. Blanks alone stay as they are: they name nothing.
std::optional<std::string> StartArgument() {
    using namespace quelbrin;
    std::optional<std::string> argument = FirstArgument(win32::Narrow(GetCommandLineW()));
    if (!argument || argument->find_first_not_of(" \t") == std::string::npos) return argument;
    return win32::Narrow(win32::FullPath(win32::Widen(*argument)));
}

int Run() {
    using namespace quelbrin;
    win32::WindowsServices services;
    MainForm form(services.platform);
    form.Start(StartArgument());
    return win32::RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything loads a DLL by name (COM, the common controls' helpers,
    // the folder picker's shell extensions).
    quelbrin::win32::RestrictDllSearch();
    // An empty floppy or card reader in the folder box must not raise the
    // system's "insert a disk" box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // COM comes later, when something first needs it (com_library.h): the
    // first paint doesn't, and ole32 is not imported.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    int exitCode = 1;
    try {
        exitCode = Run();
    } catch (const quelbrin::ErrorInfo& e) {
        ShowStartupError(e.Description);
    } catch (const std::exception& e) {
        ShowStartupError(e.what());
    } catch (...) {
        ShowStartupError("An unexpected error occurred.");
    }
    quelbrin::win32::com::End();
    return exitCode;
}
