// Re-listing: from setting TxPath's text until Status2 shows the count,
// against the bare enumeration with the same filter and sort, per folder size.
#include "bench/baseline_listing.h"
#include "bench/driver/launch.h"
#include "bench/driver/measure.h"
#include "bench/driver/remote_window.h"
#include "bench/driver/stopwatch.h"
#include "main_window/hfz_listing.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/utf.h"

namespace quelbrin::bench {

namespace {

constexpr int kSizes[] = {1000, 10000, 50000};
constexpr double kLaunchTimeoutMs = 60000;
constexpr UINT kListTimeoutMs = 600000;
constexpr DWORD kSettleMs = 1500;

// Sets the folder and waits until Status2 reads `expected`; the time taken,
// or a negative value with `error` set.
double Relist(HWND window, const std::wstring& folder, const std::wstring& expected,
              std::string& error) {
    const double t0 = NowMs();
    if (!SetControlText(window, kIdTxPath, folder, kListTimeoutMs)) {
        error = "setting TxPath did not return";
        return -1;
    }
    std::wstring status;
    const double t1 = PollUntil(
        [&] {
            status = ControlText(window, kIdStatus2, kListTimeoutMs).value_or(L"");
            return status == expected || status == L"Invalid path";
        },
        kListTimeoutMs);
    if (t1 < 0 || status != expected) {
        error = "Status2 reads \"" + win32::Narrow(status) + "\", expected \"" + win32::Narrow(expected) + "\"";
        return -1;
    }
    return t1 - t0;
}

}  // namespace

void MeasureRelist(BenchContext& context) {
    Samples& samples = *context.samples;
    const std::wstring empty = context.Folder(L"empty");
    Launched app = LaunchUntilListed(context.Folder(L"startup") + L"\\Quelbrin.exe", L"Quelbrin",
                                     kLaunchTimeoutMs);
    if (!app.error.empty()) {
        samples.Error("relist", app.error);
        return;
    }

    const std::unique_ptr<FileSystem> files = win32::MakeFileSystem();
    for (int size : kSizes) {
        const std::string key = "relist." + std::to_string(size);
        const std::wstring folder = context.Folder((L"list" + std::to_wstring(size)).c_str());
        const std::wstring expected = CountText(static_cast<std::size_t>(size));

        // An untimed pass of each first, so both find the folder in the same caches.
        BareListing reference = ListHfzBare(folder);
        if (reference.error != ERROR_SUCCESS || reference.names.size() != static_cast<std::size_t>(size)) {
            samples.Error(key, "the bare listing found " + std::to_string(reference.names.size()) +
                                   " files, error " + std::to_string(reference.error));
            continue;
        }
        std::string error;
        if (Relist(app.window, empty, CountText(0), error) < 0 ||
            Relist(app.window, folder, expected, error) < 0) {
            samples.Error(key, error);
            continue;
        }
        // Both select the same first file, so they listed in the same order.
        const std::wstring first = ControlText(app.window, kIdStatus1).value_or(L"");
        if (first != reference.names.front())
            samples.Error(key, "Status1 shows \"" + win32::Narrow(first) + "\", the first file is \"" +
                                   win32::Narrow(reference.names.front()) + "\"");

        for (int run = 0; run < context.runs; ++run) {
            if (Relist(app.window, empty, CountText(0), error) < 0) {
                samples.Error(key, error);
                break;
            }
            const double ms = Relist(app.window, folder, expected, error);
            if (ms < 0) {
                samples.Error(key, error);
                break;
            }
            samples.Add(key + ".quelbrin_ms", ms);

            const double t0 = NowMs();
            const BareListing bare = ListHfzBare(folder);
            const double t1 = NowMs();
            if (bare.names.size() != static_cast<std::size_t>(size)) {
                samples.Error(key, "the bare listing found " + std::to_string(bare.names.size()) + " files");
                break;
            }
            samples.Add(key + ".bare_ms", t1 - t0);

            // Quelbrin's own listing code (file system, filter, sort) without the
            // list box: tells the list box's share from the listing's.
            try {
                const double t2 = NowMs();
                const std::vector<std::string> names = ListHfzFiles(*files, win32::Narrow(folder));
                const double t3 = NowMs();
                if (names.size() == static_cast<std::size_t>(size)) samples.Add(key + ".listing_code_ms", t3 - t2);
                else samples.Error(key, "Quelbrin's listing code found " + std::to_string(names.size()) + " files");
            } catch (const ErrorInfo& error) {
                samples.Error(key, "Quelbrin's listing code failed: " + error.Description);
            }
        }
        if (size == kSizes[std::size(kSizes) - 1]) {
            Sleep(kSettleMs);
            samples.Add("memory.quelbrin_listed_mib",
                        static_cast<double>(app.process->WorkingSetBytes()) / kMiB);
            samples.Add("memory.listed_files", size);
        }
    }
    app.process->EndAll();
}

}  // namespace quelbrin::bench
