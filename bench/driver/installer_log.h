#pragma once
#include <cstdint>
#include <vector>

#include "tests/support/log_file.h"
#include "tests/support/wall_clock.h"

namespace quelbrin::bench {

// The substitute installer's shared log, read as the tests read it.
using test::LogLine;
using test::MillisecondsSince1970;

inline std::vector<LogLine> ReadInstallerLog(const std::wstring& path) { return test::ReadLogLines(path); }

// What one installer process wrote, from its first line to its "exit".
struct InstallerRun {
    std::uint64_t firstMs = 0;   // its first line
    std::uint64_t windowMs = 0;  // its window was shown (0: never)
    std::uint64_t firstKeyMs = 0;
    std::vector<std::uint64_t> passKeysMs;  // each pass's first key (its Tab)
    std::uint64_t exitMs = 0;    // 0: it never said it exits
    int keys = 0;
};

// By process id, in the order of their first lines.
std::vector<InstallerRun> InstallerRuns(const std::vector<LogLine>& lines);

}  // namespace quelbrin::bench
