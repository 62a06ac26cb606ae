// Batch overhead: "Install All Files" over a folder of packages whose
// installer closes on its first pass. Total time minus the installers' own
// lifetimes, per file, against the bare cost of starting the installer. A few
// packages need a second pass, which times one key send to the next.
#include <algorithm>

#include "bench/baseline_listing.h"
#include "bench/driver/installer_log.h"
#include "bench/driver/launch.h"
#include "bench/driver/measure.h"
#include "bench/driver/remote_window.h"
#include "bench/driver/stopwatch.h"
#include "installer/installer_contract.h"
#include "platform/win32/utf.h"

namespace quelbrin::bench {

namespace {

constexpr double kLaunchTimeoutMs = 60000;
constexpr double kBoxTimeoutMs = 30000;
constexpr double kPerFileTimeoutMs = 60000;
constexpr wchar_t kWarning[] = L"Do not close any of the installation windows!";

void OneBatch(BenchContext& context, const std::wstring& folder, std::size_t files) {
    Samples& samples = *context.samples;
    const std::wstring log = folder + L"\\installer.log";
    DeleteFileW(log.c_str());

    Launched app = LaunchUntilListed(folder + L"\\Quelbrin.exe", L"Quelbrin", kLaunchTimeoutMs);
    if (!app.error.empty()) return samples.Error("batch", app.error);
    if (app.status != CountText(files))
        return samples.Error("batch", "Status2 reads \"" + win32::Narrow(app.status) + "\" after start-up");

    const DWORD id = app.process->Id();
    if (!PostClick(app.window, kIdBtStart)) return samples.Error("batch", "Install All Files can't be clicked");
    HWND box = nullptr;
    if (PollUntil([&] { return (box = FindTopLevel(id, L"Quelbrin", true)) != nullptr; }, kBoxTimeoutMs) < 0)
        return samples.Error("batch", "no warning box came up");
    const std::wstring text = ControlText(box, 0xFFFF).value_or(L"");
    if (text != kWarning) samples.Error("batch", "the warning reads \"" + win32::Narrow(text) + "\"");

    const double t0 = NowMs();
    PostClick(box, IDOK);
    std::wstring status;
    const double t1 = PollUntil(
        [&] {
            status = ControlText(app.window, kIdStatus2, 60000).value_or(L"");
            return status == L"Ready" || status.rfind(L"Error: ", 0) == 0 || app.process->HasExited();
        },
        kPerFileTimeoutMs * static_cast<double>(files), 10);
    if (t1 < 0 || status != L"Ready")
        return samples.Error("batch", "the batch did not end with \"Ready\": \"" + win32::Narrow(status) + "\"");
    const double total = t1 - t0;
    app.process->EndAll();

    const std::vector<InstallerRun> runs = InstallerRuns(ReadInstallerLog(log));
    if (runs.size() != files)
        return samples.Error("batch", std::to_string(runs.size()) + " installers ran for " +
                                          std::to_string(files) + " files");
    double lifetimes = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const InstallerRun& run = runs[i];
        if (run.exitMs == 0 || run.windowMs == 0 || run.keys == 0)
            return samples.Error("batch", "installer " + std::to_string(i + 1) + " did not show, answer and exit");
        lifetimes += static_cast<double>(run.exitMs - run.firstMs);
        // Window up until the first key: activation, one pause and the keystrokes.
        samples.Add("batch.window_to_key_ms", static_cast<double>(run.firstKeyMs - run.windowMs));
        // The few packages that need a second pass: one pass's keys to the next's.
        for (std::size_t k = 1; k < run.passKeysMs.size(); ++k)
            samples.Add("batch.key_to_key_ms", static_cast<double>(run.passKeysMs[k] - run.passKeysMs[k - 1]));
        if (i > 0) samples.Add("batch.gap_ms", static_cast<double>(run.firstMs - runs[i - 1].exitMs));
    }
    samples.Add("batch.total_ms", total);
    samples.Add("batch.lifetimes_ms", lifetimes);
    samples.Add("batch.overhead_per_file_ms", (total - lifetimes) / static_cast<double>(files));
}

// CreateProcessW until the installer's first log line, with the command line
// Quelbrin would give it.
void OneBareStart(BenchContext& context, const std::wstring& folder, const std::wstring& package) {
    Samples& samples = *context.samples;
    const std::wstring log = folder + L"\\installer.log";
    DeleteFileW(log.c_str());
    const std::wstring exe = folder + L"\\InstallHFZ.exe";
    const std::wstring commandLine =
        win32::Widen(InstallerCommandLine(win32::Narrow(exe), win32::Narrow(folder), win32::Narrow(package)));

    const std::uint64_t wall0 = static_cast<std::uint64_t>(MillisecondsSince1970());
    ChildProcess installer(exe, commandLine, folder);
    if (!installer.started()) return samples.Error("batch.bare_start", installer.error());
    std::vector<LogLine> lines;
    if (PollUntil([&] { return !(lines = ReadInstallerLog(log)).empty(); }, 30000) < 0)
        return samples.Error("batch.bare_start", "the installer wrote no log line");
    samples.Add("batch.bare_start_ms", static_cast<double>(static_cast<std::uint64_t>(lines.front().time) - wall0));
    installer.EndAll();
}

}  // namespace

void MeasureBatch(BenchContext& context) {
    const std::wstring folder = context.Folder(L"batch");
    const BareListing listing = ListHfzBare(folder);
    if (listing.error != ERROR_SUCCESS || listing.names.empty())
        return context.samples->Error("batch", "the batch folder holds no packages");
    context.samples->Add("batch.files", static_cast<double>(listing.names.size()));
    ParkPointer();

    const std::wstring startFolder = context.Folder(L"start");
    const BareListing startPackages = ListHfzBare(startFolder);
    if (startPackages.names.empty()) return context.samples->Error("batch.bare_start", "no package to start with");

    // Bare starts before, between and after the batches: the same machine state.
    const int bareEach = std::max(3, context.runs / context.batchRuns + 1);
    for (int run = 0; run < context.batchRuns; ++run) {
        for (int i = 0; i < bareEach; ++i) OneBareStart(context, startFolder, startPackages.names.front());
        OneBatch(context, folder, listing.names.size());
    }
    for (int i = 0; i < bareEach; ++i) OneBareStart(context, startFolder, startPackages.names.front());
}

}  // namespace quelbrin::bench
