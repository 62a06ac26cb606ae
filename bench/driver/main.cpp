// Measures Quelbrin against the bare platform from outside, under the same
// Wine as the programs it starts:
//   bench_driver.exe --data DIR --out FILE [--runs N] [--batch-runs N] [--only SECTION]
//                    [--clock-ticks N] [--wineserver-pid N]
// DIR holds the folders bench/run.sh prepares; FILE receives the raw samples.
// Under Wine, CPU times are read from /proc: N ticks a second (getconf
// CLK_TCK), and the wineserver's own time is reported beside Quelbrin's.
// SECTION: startup, relist, batch, waiting (default: all, in that order).
#include <cstdio>
#include <cwchar>
#include <string>

#include "bench/driver/measure.h"
#include "platform/win32/windows_wrapper.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_driver --data DIR --out FILE [--runs N] [--batch-runs N] [--only SECTION]\n"
                 "                    [--clock-ticks N] [--wineserver-pid N]\n");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace quelbrin::bench;
    std::wstring data, out, only;
    BenchContext context;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::wstring key = argv[i], value = argv[i + 1];
        if (key == L"--data") data = value;
        else if (key == L"--out") out = value;
        else if (key == L"--runs") context.runs = _wtoi(value.c_str());
        else if (key == L"--batch-runs") context.batchRuns = _wtoi(value.c_str());
        else if (key == L"--only") only = value;
        else if (key == L"--clock-ticks") context.clockTicks = _wtoi(value.c_str());
        else if (key == L"--wineserver-pid") context.wineserverPid = _wtoi(value.c_str());
        else return Usage();
    }
    if (argc % 2 == 0 || data.empty() || out.empty() || context.runs < 1 || context.batchRuns < 1) return Usage();
    while (!data.empty() && data.back() == L'\\') data.pop_back();
    context.data = data;

    Samples samples(out);
    if (!samples.ok()) {
        std::fprintf(stderr, "bench_driver: can't write the samples file\n");
        return 2;
    }
    context.samples = &samples;

    struct Section {
        const wchar_t* name;
        void (*measure)(BenchContext&);
    };
    const Section sections[] = {{L"startup", MeasureStartup},
                                {L"relist", MeasureRelist},
                                {L"batch", MeasureBatch},
                                {L"waiting", MeasureWaiting}};
    for (const Section& section : sections) {
        if (!only.empty() && only != section.name) continue;
        std::printf("== %ls\n", section.name);
        std::fflush(stdout);
        section.measure(context);
    }
    std::printf("== done, %d error(s)\n", samples.errors());
    return samples.errors() == 0 ? 0 : 1;
}
