// Start-up time, idle CPU and idle working set: Quelbrin against the
// minimal window program, both started from the same folder.
#include "bench/baseline_listing.h"
#include "bench/driver/cpu_clock.h"
#include "bench/driver/launch.h"
#include "bench/driver/measure.h"
#include "bench/driver/remote_window.h"
#include "bench/driver/stopwatch.h"
#include "platform/win32/utf.h"

namespace quelbrin::bench {

namespace {

constexpr double kLaunchTimeoutMs = 60000;
constexpr DWORD kSettleMs = 1500;   // after start-up, before "idle" counts
constexpr DWORD kIdleWindowMs = 2000;
constexpr DWORD kHoverSettleMs = 500;

// CPU time per second over the idle window, as a percentage of one core.
double IdleCpuPercent(const CpuClock& cpu) {
    const double cpu0 = cpu.Ms(), t0 = NowMs();
    Sleep(kIdleWindowMs);
    const double cpu1 = cpu.Ms(), t1 = NowMs();
    return cpu0 < 0 || cpu1 < 0 ? -1 : 100.0 * (cpu1 - cpu0) / (t1 - t0);
}

void OneStart(BenchContext& context, const std::wstring& exe, const std::wstring& title,
              const std::string& name, const std::wstring& expected) {
    Samples& samples = *context.samples;
    Launched run = LaunchUntilListed(exe, title, kLaunchTimeoutMs);
    if (!run.error.empty()) {
        samples.Error("startup." + name, run.error);
        return;
    }
    if (run.status != expected) {
        samples.Error("startup." + name, "status line reads \"" + win32::Narrow(run.status) +
                                             "\", expected \"" + win32::Narrow(expected) + "\"");
        return;
    }
    samples.Add("startup." + name + "_ms", run.readyMs);
    samples.Add("startup." + name + "_window_ms", run.windowMs);

    Sleep(kSettleMs);
    const CpuClock cpu(*run.process, exe, context.clockTicks);
    const double idle = IdleCpuPercent(cpu);
    if (idle < 0) samples.Error("idle." + name, "CPU time can't be read (" + cpu.Source() + ")");
    else samples.Add("idle." + name + "_cpu_percent", idle);
    samples.Add("memory." + name + "_idle_mib", static_cast<double>(run.process->WorkingSetBytes()) / kMiB);
    samples.Add("memory." + name + "_idle_private_mib", static_cast<double>(run.process->PrivateBytes()) / kMiB);

    // The same with the pointer resting over the window: Wine polls for hover
    // tracking while it is there.
    RECT r;
    if (GetWindowRect(run.window, &r)) {
        SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        Sleep(kHoverSettleMs);
        const double hover = IdleCpuPercent(cpu);
        if (hover >= 0) samples.Add("idle." + name + "_hover_cpu_percent", hover);
        ParkPointer();
    }
    run.process->EndAll();
}

}  // namespace

void MeasureStartup(BenchContext& context) {
    const std::wstring folder = context.Folder(L"startup");
    const BareListing listing = ListHfzBare(folder);
    if (listing.error != ERROR_SUCCESS) {
        context.samples->Error("startup", "the start-up folder can't be listed");
        return;
    }
    const std::wstring expected = CountText(listing.names.size());
    context.samples->Add("startup.files", static_cast<double>(listing.names.size()));

    ParkPointer();  // idle means nobody points at the window
    // Quelbrin, the minimal window program, and that one with Quelbrin's manifest.
    struct Program {
        const wchar_t* exe;
        const wchar_t* title;
        const char* name;
    };
    const Program programs[] = {{L"Quelbrin.exe", L"Quelbrin", "quelbrin"},
                                {L"bench_baseline_window.exe", L"Quelbrin baseline", "baseline"},
                                {L"bench_baseline_window_manifest.exe", L"Quelbrin baseline", "baseline_manifest"}};
    for (int run = 0; run < context.runs; ++run) {
        // Rotating which goes first evens out any drift of the machine's load.
        for (int i = 0; i < 3; ++i) {
            const Program& program = programs[(i + run) % 3];
            OneStart(context, folder + L"\\" + program.exe, program.title, program.name, expected);
        }
    }
}

}  // namespace quelbrin::bench
