// Quelbrin's start-up taken apart and timed in-process: the steps of the
// program's entry one by one, then the two listing passes that the folder
// box's change event makes (set the list's folder, refresh it) on their own.
//   bench_startup_parts.exe OUTPUT_FILE   (placed in a folder of packages)
#include "platform/win32/windows_wrapper.h"

#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "bench/driver/stopwatch.h"
#include "main_window/main_form.h"
#include "platform/command_line.h"
#include "platform/win32/com_library.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace quelbrin;
    using bench::NowMs;
    const double t0 = NowMs();

    // The program's own reading of its command line: shell32 is not imported,
    // as in Quelbrin, so its load is not hidden in the process's start.
    const std::optional<std::string> output = FirstArgument(win32::Narrow(GetCommandLineW()));
    if (!output) return 2;
    std::FILE* out = _wfopen(win32::Widen(*output).c_str(), L"ab");
    if (out == nullptr) return 2;

    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const double t1 = NowMs();

    int rc = 0;
    try {
        win32::WindowsServices services;
        const double t2 = NowMs();
        MainForm form(services.platform);
        const double t3 = NowMs();
        form.Form_Load();
        const double t4 = NowMs();
        form.View().Show();
        const double t5 = NowMs();
        services.ui->DoEvents();  // what waits for the first paint: tooltips, names (COM, ole32)
        const double t5b = NowMs();
        // What "Browse..." first costs, and the start paid when shell32 was imported.
        LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        const double t5c = NowMs();

        FileListBox& list = form.View().FileList();
        const std::string folder = services.files->AppPath();
        const double t6 = NowMs();
        list.SetFileName(folder);
        const double t7 = NowMs();
        list.Refresh();
        const double t8 = NowMs();

        std::fprintf(out, "startup_parts.runtime_ms\t%.3f\n", t1 - t0);
        std::fprintf(out, "startup_parts.platform_ms\t%.3f\n", t2 - t1);
        std::fprintf(out, "startup_parts.window_ms\t%.3f\n", t3 - t2);
        std::fprintf(out, "startup_parts.load_ms\t%.3f\n", t4 - t3);
        std::fprintf(out, "startup_parts.show_ms\t%.3f\n", t5 - t4);
        std::fprintf(out, "startup_parts.after_paint_ms\t%.3f\n", t5b - t5);
        std::fprintf(out, "startup_parts.shell32_load_ms\t%.3f\n", t5c - t5b);
        std::fprintf(out, "startup_parts.set_folder_ms\t%.3f\n", t7 - t6);
        std::fprintf(out, "startup_parts.refresh_ms\t%.3f\n", t8 - t7);
        std::fprintf(out, "startup_parts.listed\t%d\n", list.ListCount());
    } catch (const ErrorInfo& error) {
        std::fprintf(out, "error.startup_parts\t%s\n", error.Description.c_str());
        rc = 1;
    }
    std::fclose(out);
    win32::com::End();
    return rc;
}
