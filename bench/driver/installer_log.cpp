#include "bench/driver/installer_log.h"

#include <map>

namespace quelbrin::bench {

std::vector<InstallerRun> InstallerRuns(const std::vector<LogLine>& lines) {
    std::vector<InstallerRun> runs;
    std::map<std::uint32_t, std::size_t> byProcess;
    for (const LogLine& line : lines) {
        // A process id may come back for a later installer: "cmdline" always opens a new run.
        auto it = byProcess.find(line.processId);
        if (it == byProcess.end() || line.event == "cmdline") {
            byProcess[line.processId] = runs.size();
            runs.emplace_back();
            runs.back().firstMs = static_cast<std::uint64_t>(line.time);
            it = byProcess.find(line.processId);
        }
        InstallerRun& run = runs[it->second];
        if (line.event == "window" && run.windowMs == 0) run.windowMs = static_cast<std::uint64_t>(line.time);
        if (line.event == "key") {
            if (run.keys == 0) run.firstKeyMs = static_cast<std::uint64_t>(line.time);
            if (line.detail.rfind("TAB", 0) == 0) run.passKeysMs.push_back(static_cast<std::uint64_t>(line.time));
            ++run.keys;
        }
        if (line.event == "exit") run.exitMs = static_cast<std::uint64_t>(line.time);
    }
    return runs;
}

}  // namespace quelbrin::bench
