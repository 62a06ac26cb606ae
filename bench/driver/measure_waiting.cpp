// Quelbrin while it waits on an installer window that never closes: CPU time
// per second and how long one answer pass (activation, pause, keys) takes.
#include "bench/baseline_listing.h"
#include "bench/driver/cpu_clock.h"
#include "bench/driver/installer_log.h"
#include "bench/driver/launch.h"
#include "bench/driver/measure.h"
#include "bench/driver/remote_window.h"
#include "bench/driver/stopwatch.h"
#include "installer/installer_contract.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"

namespace quelbrin::bench {

namespace {

constexpr double kLaunchTimeoutMs = 60000;
constexpr DWORD kSettleMs = 1000;
constexpr DWORD kWindowMs = 3000;

// When each answer pass reached the installer (its Tab key), in log time.
std::vector<std::uint64_t> PassTimes(const std::wstring& log) {
    std::vector<std::uint64_t> times;
    for (const LogLine& line : ReadInstallerLog(log))
        if (line.event == "key" && line.detail.rfind("TAB", 0) == 0) times.push_back(line.time);
    return times;
}

}  // namespace

void MeasureWaiting(BenchContext& context) {
    Samples& samples = *context.samples;
    const std::wstring folder = context.Folder(L"wait");
    const std::wstring log = folder + L"\\installer.log";
    const BareListing listing = ListHfzBare(folder);
    if (listing.names.size() != 1) return samples.Error("waiting", "the folder should hold one package");
    DeleteFileW(log.c_str());
    ParkPointer();

    const std::wstring exe = folder + L"\\Quelbrin.exe";
    Launched app = LaunchUntilListed(exe, L"Quelbrin", kLaunchTimeoutMs);
    if (!app.error.empty()) return samples.Error("waiting", app.error);
    if (!PostClick(app.window, kIdBtInst)) return samples.Error("waiting", "Install Selected File can't be clicked");
    const std::wstring title =
        win32::Widen(InstallerWindowTitle(win32::Narrow(folder), win32::Narrow(listing.names.front())));
    if (PollUntil([&] { return FindWindowW(nullptr, title.c_str()) != nullptr; }, 30000) < 0)
        return samples.Error("waiting", "the installer's window did not come up");
    if (PollUntil([&] { return !PassTimes(log).empty(); }, 30000) < 0)
        return samples.Error("waiting", "no keys reached the installer");
    Sleep(kSettleMs);
    const CpuClock cpu(*app.process, exe, context.clockTicks);
    samples.Note("waiting.cpu_source", cpu.Source());

    for (int run = 0; run < context.runs; ++run) {
        const double cpu0 = cpu.Ms(), t0 = NowMs();
        const double server0 = UnixProcessCpuMs(context.wineserverPid, context.clockTicks);
        Sleep(kWindowMs);
        const double cpu1 = cpu.Ms(), t1 = NowMs();
        const double server1 = UnixProcessCpuMs(context.wineserverPid, context.clockTicks);
        if (cpu0 < 0 || cpu1 < 0) {
            samples.Error("waiting", "CPU time can't be read (" + cpu.Source() + ")");
            break;
        }
        samples.Add("waiting.cpu_percent", 100.0 * (cpu1 - cpu0) / (t1 - t0));
        // The wineserver serves every program of the prefix, but while Quelbrin
        // waits nothing else of the benchmark runs.
        if (server0 >= 0 && server1 >= 0)
            samples.Add("waiting.wineserver_cpu_percent", 100.0 * (server1 - server0) / (t1 - t0));
    }
    // One sample per interval between two passes, over the whole wait.
    const std::vector<std::uint64_t> passes = PassTimes(log);
    for (std::size_t i = 1; i < passes.size(); ++i)
        samples.Add("waiting.pass_ms", static_cast<double>(passes[i] - passes[i - 1]));
    const std::wstring status = ControlText(app.window, kIdStatus2).value_or(L"");
    if (status != L"Installing selected file...")
        samples.Error("waiting", "Status2 reads \"" + win32::Narrow(status) + "\" while waiting");
    app.process->EndAll();
    // Wine does not always count the installer into Quelbrin's job: end it by its window.
    if (HWND window = FindWindowW(nullptr, title.c_str())) {
        DWORD installerId = 0;
        GetWindowThreadProcessId(window, &installerId);
        win32::UniqueKernelHandle installer(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, installerId));
        if (installer) {
            TerminateProcess(installer.get(), 1);
            WaitForSingleObject(installer.get(), 10000);
        }
    }
}

}  // namespace quelbrin::bench
