// What one pause between keystroke passes costs: Quelbrin's event pump called
// as many times as the install loop calls it, on a thread that owns a window,
// against the same count of bare PeekMessageW loops.
//   bench_pause.exe OUTPUT_FILE RUNS
#include <cstdio>
#include <cwchar>
#include <memory>

#include "bench/driver/stopwatch.h"
#include "installer/run_installer.h"
#include "platform/win32/win32_platform.h"

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND MakeWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuelbrinBenchPause";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Quelbrin pause", WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    if (window != nullptr) ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

void BarePump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bench_pause OUTPUT_FILE RUNS\n");
        return 2;
    }
    const int runs = _wtoi(argv[2]);
    std::FILE* out = _wfopen(argv[1], L"ab");
    if (out == nullptr || runs <= 0) {
        std::fprintf(stderr, "bench_pause: can't write the output file, or no runs\n");
        return 2;
    }
    if (MakeWindow() == nullptr) {
        std::fprintf(out, "error.pause\tthe window could not be created\n");
        std::fclose(out);
        return 1;
    }
    std::unique_ptr<quelbrin::FileSystem> files = quelbrin::win32::MakeFileSystem();
    std::unique_ptr<quelbrin::Ui> ui = quelbrin::win32::MakeUi(*files);
    BarePump();  // the window's start-up messages are not part of a pause

    using quelbrin::bench::NowMs;
    for (int run = 0; run < runs; ++run) {
        double t0 = NowMs();
        for (int i = 0; i < quelbrin::kPausePumpCalls; ++i) ui->DoEvents();
        double t1 = NowMs();
        std::fprintf(out, "pause.quelbrin_ms\t%.3f\n", t1 - t0);
        t0 = NowMs();
        for (int i = 0; i < quelbrin::kPausePumpCalls; ++i) BarePump();
        t1 = NowMs();
        std::fprintf(out, "pause.bare_ms\t%.3f\n", t1 - t0);
    }
    std::fprintf(out, "pause.pump_calls\t%d\n", quelbrin::kPausePumpCalls);
    std::fclose(out);
    return 0;
}
