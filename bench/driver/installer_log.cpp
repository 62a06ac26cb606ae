#include "bench/driver/installer_log.h"

#include <cstdio>
#include <cstdlib>
#include <share.h>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::bench {

std::vector<LogLine> ReadInstallerLog(const std::wstring& path) {
    std::vector<LogLine> lines;
    std::FILE* file = _wfsopen(path.c_str(), L"rb", _SH_DENYNO);
    if (file == nullptr) return lines;
    std::string text;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
    std::fclose(file);

    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) break;  // a line still being written
        std::string line = text.substr(begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // <ms> <pid> <event>[ <detail>]
        const std::size_t a = line.find(' ');
        const std::size_t b = a == std::string::npos ? a : line.find(' ', a + 1);
        if (b == std::string::npos) continue;
        const std::size_t c = line.find(' ', b + 1);
        LogLine entry;
        entry.ms = std::strtoull(line.c_str(), nullptr, 10);
        entry.processId = static_cast<std::uint32_t>(std::strtoul(line.c_str() + a + 1, nullptr, 10));
        entry.event = line.substr(b + 1, c == std::string::npos ? std::string::npos : c - b - 1);
        if (c != std::string::npos) entry.detail = line.substr(c + 1);
        if (entry.ms == 0 || entry.processId == 0) continue;
        lines.push_back(std::move(entry));
    }
    return lines;
}

std::vector<InstallerRun> InstallerRuns(const std::vector<LogLine>& lines) {
    std::vector<InstallerRun> runs;
    std::map<std::uint32_t, std::size_t> byProcess;
    for (const LogLine& line : lines) {
        // A process id may come back for a later installer: "cmdline" always opens a new run.
        auto it = byProcess.find(line.processId);
        if (it == byProcess.end() || line.event == "cmdline") {
            byProcess[line.processId] = runs.size();
            runs.emplace_back();
            runs.back().firstMs = line.ms;
            it = byProcess.find(line.processId);
        }
        InstallerRun& run = runs[it->second];
        if (line.event == "window" && run.windowMs == 0) run.windowMs = line.ms;
        if (line.event == "key") {
            if (run.keys == 0) run.firstKeyMs = line.ms;
            if (line.detail.rfind("TAB", 0) == 0) run.passKeysMs.push_back(line.ms);
            ++run.keys;
        }
        if (line.event == "exit") run.exitMs = line.ms;
    }
    return runs;
}

std::uint64_t WallClockMs() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr std::uint64_t kTicksTo1970 = 116444736000000000ull;  // 100 ns ticks from 1601
    return (ticks - kTicksTo1970) / 10000;
}

}  // namespace quelbrin::bench
