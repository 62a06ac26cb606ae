// Re-listing: from setting TxPath's text until Status2 shows the count, per
// folder size, against a bare window program driven the same way (it lists,
// sorts and fills a list box), and against the bare enumeration alone.
// Then Quelbrin's memory after the largest folder and after a small one.
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
    const std::wstring startup = context.Folder(L"startup");
    Launched app = LaunchUntilListed(startup + L"\\Quelbrin.exe", L"Quelbrin", kLaunchTimeoutMs);
    if (!app.error.empty()) {
        samples.Error("relist", app.error);
        return;
    }
    Launched bare = LaunchUntilListed(startup + L"\\bench_baseline_relist.exe", L"Quelbrin re-list baseline",
                                      kLaunchTimeoutMs);
    if (!bare.error.empty()) {
        samples.Error("relist", "the re-list baseline: " + bare.error);
        return;
    }
    samples.Add("memory.bare_relist_idle_mib", static_cast<double>(bare.process->WorkingSetBytes()) / kMiB);
    struct Lister {
        const char* name;
        HWND window;
    };
    const Lister listers[] = {{"quelbrin", app.window}, {"window_baseline", bare.window}};

    const std::unique_ptr<FileSystem> files = win32::MakeFileSystem();
    for (int size : kSizes) {
        const std::string key = "relist." + std::to_string(size);
        const std::wstring folder = context.Folder((L"list" + std::to_wstring(size)).c_str());
        const std::wstring expected = CountText(static_cast<std::size_t>(size));

        // An untimed pass of each first, so all find the folder in the same caches.
        BareListing reference = ListHfzBare(folder);
        if (reference.error != ERROR_SUCCESS || reference.names.size() != static_cast<std::size_t>(size)) {
            samples.Error(key, "the bare listing found " + std::to_string(reference.names.size()) +
                                   " files, error " + std::to_string(reference.error));
            continue;
        }
        std::string error;
        bool ready = true;
        for (const Lister& lister : listers) {
            if (Relist(lister.window, empty, CountText(0), error) < 0 ||
                Relist(lister.window, folder, expected, error) < 0) {
                samples.Error(key, std::string(lister.name) + ": " + error);
                ready = false;
                continue;
            }
            // Each selects its first file: the same one when they listed in the same order.
            const std::wstring first = ControlText(lister.window, kIdStatus1).value_or(L"");
            if (first != reference.names.front())
                samples.Error(key, std::string(lister.name) + ": Status1 shows \"" + win32::Narrow(first) +
                                       "\", the first file is \"" + win32::Narrow(reference.names.front()) + "\"");
        }
        if (!ready) continue;

        for (int run = 0; run < context.runs && ready; ++run) {
            // Alternating which goes first evens out any drift of the machine's load.
            for (int i = 0; i < 2 && ready; ++i) {
                const Lister& lister = listers[(i + run) % 2];
                const double ms = Relist(lister.window, empty, CountText(0), error) < 0
                                      ? -1
                                      : Relist(lister.window, folder, expected, error);
                if (ms < 0) {
                    samples.Error(key, std::string(lister.name) + ": " + error);
                    ready = false;
                    break;
                }
                samples.Add(key + "." + lister.name + "_ms", ms);
            }

            const double t0 = NowMs();
            const BareListing listed = ListHfzBare(folder);
            const double t1 = NowMs();
            if (listed.names.size() != static_cast<std::size_t>(size)) {
                samples.Error(key, "the bare listing found " + std::to_string(listed.names.size()) + " files");
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
        // Memory is read the moment the count shows, with nothing given time to settle.
        if (size == kSizes[std::size(kSizes) - 1]) {
            samples.Add("memory.quelbrin_listed_mib",
                        static_cast<double>(app.process->WorkingSetBytes()) / kMiB);
            samples.Add("memory.quelbrin_listed_private_mib",
                        static_cast<double>(app.process->PrivateBytes()) / kMiB);
            samples.Add("memory.listed_files", size);
        }
    }
    // Memory coming back: the big folder, then one of three files. The bare
    // re-list program the same way tells what the list box itself keeps.
    std::string error;
    if (Relist(app.window, context.Folder(L"three"), CountText(3), error) < 0) {
        samples.Error("memory", "listing the folder of three: " + error);
    } else {
        samples.Add("memory.quelbrin_after_small_mib", static_cast<double>(app.process->WorkingSetBytes()) / kMiB);
        samples.Add("memory.quelbrin_after_small_private_mib",
                    static_cast<double>(app.process->PrivateBytes()) / kMiB);
    }
    if (Relist(bare.window, context.Folder(L"three"), CountText(3), error) < 0) {
        samples.Error("memory", "the re-list baseline, listing the folder of three: " + error);
    } else {
        samples.Add("memory.bare_relist_after_small_mib", static_cast<double>(bare.process->WorkingSetBytes()) / kMiB);
    }
    bare.process->EndAll();
    app.process->EndAll();
}

}  // namespace quelbrin::bench
