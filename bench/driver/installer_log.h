#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quelbrin::bench {

// The substitute installer's shared log: one line per event,
//   <ms since 1970 UTC> <process id> <event> <detail>
struct LogLine {
    std::uint64_t ms = 0;
    std::uint32_t processId = 0;
    std::string event;
    std::string detail;
};

std::vector<LogLine> ReadInstallerLog(const std::wstring& path);

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

// The wall clock in the log's unit.
std::uint64_t WallClockMs();

}  // namespace quelbrin::bench
