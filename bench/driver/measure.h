#pragma once
#include <string>

#include "bench/driver/samples.h"

namespace quelbrin::bench {

// Where the prepared folders are, and how often to repeat each measurement.
struct BenchContext {
    std::wstring data;   // Windows path of the data root, no trailing "\"
    int runs = 5;        // start-up, re-listing, CPU windows, bare starts
    int batchRuns = 3;   // whole 50-file batches
    Samples* samples = nullptr;
    // Under Wine: the Linux clock tick, and the wineserver that does the
    // window system's work for every program of this prefix (0: unknown).
    int clockTicks = 0;
    int wineserverPid = 0;

    std::wstring Folder(const wchar_t* name) const { return data + L"\\" + name; }
};

// Each measurement records its samples and notes; a failure is recorded as
// an error and the measurement goes on with its next run where it can.
void MeasureStartup(BenchContext& context);
void MeasureRelist(BenchContext& context);
void MeasureBatch(BenchContext& context);
void MeasureWaiting(BenchContext& context);

// Working sets are reported in MiB.
constexpr double kMiB = 1024.0 * 1024.0;

}  // namespace quelbrin::bench
