#include "tests/e2e/substitute.h"

#include <cstdlib>
#include <sstream>

#include "platform/win32/utf.h"
#include "tests/support/log_file.h"
#include "tests/support/wait_until.h"

namespace quelbrin::e2e {

std::wstring PlaceSubstitute(const TestFolder& folder, const std::wstring& relativeDir,
                             const std::wstring& exeName, const SubstituteConfig& config) {
    const std::wstring base = exeName.substr(0, exeName.rfind(L'.'));
    const std::wstring log = folder / (base + L".log");
    folder.MakeFolder(relativeDir);
    folder.CopyIn(SubstituteExe(), relativeDir + L"\\" + exeName);
    std::ostringstream settings;
    settings << "log=" << win32::Narrow(log) << "\n"
             << "passes=" << config.passes << "\n"
             << "delay_ms=" << config.delayMs << "\n"
             << "mode=" << config.mode << "\n"
             << "timeout_ms=" << test::ScaledMs(config.timeoutMs) << "\n"
             << "busy_ms=" << config.busyMs << "\n"
             << "closing_ms=" << config.closingMs << "\n";
    folder.WriteFile(relativeDir + L"\\" + base + L".cfg", settings.str());
    return log;
}

namespace {

// A "cmdline" line starts a run: process ids come round again in a long log.
InstallerRun& RunOf(std::vector<InstallerRun>& runs, std::uint32_t processId, bool starts) {
    if (!starts)
        for (auto run = runs.rbegin(); run != runs.rend(); ++run)
            if (run->processId == processId) return *run;
    runs.push_back({});
    runs.back().processId = processId;
    return runs.back();
}

// "name=value" among blank-separated words.
std::string Field(const std::string& detail, const std::string& name) {
    std::istringstream words(detail);
    std::string word;
    while (words >> word)
        if (word.rfind(name + "=", 0) == 0) return word.substr(name.size() + 1);
    return {};
}

}  // namespace

std::vector<InstallerRun> ReadInstallerLog(const std::wstring& path) {
    std::vector<InstallerRun> runs;
    for (const test::LogLine& line : test::ReadLogLines(path)) {
        const long long time = line.time;
        const std::string& event = line.event;
        const std::string& detail = line.detail;
        InstallerRun& run = RunOf(runs, line.processId, event == "cmdline");
        if (event == "cmdline") {
            run.commandLine = detail;
            run.started = time;
        } else if (event == "window") {
            run.windowShown = time;
            const std::size_t title = detail.find("title=");
            if (title != std::string::npos) run.windowTitle = detail.substr(title + 6);
        } else if (event == "key") {
            run.keys.push_back({detail.substr(0, detail.find(' ')), Field(detail, "foreground") == "yes", time});
        } else if (event == "folder") {
            run.folder = detail;
        } else if (event == "busy") {
            run.keysWaitingAfterBusy.push_back(std::atoi(Field(detail, "waiting").c_str()));
        } else if (event == "pass") {
            ++run.passes;
        } else if (event == "close") {
            run.windowClosed = time;
            run.closeReason = detail.substr(detail.find(' ') + 1);
        } else if (event == "exit") {
            run.exited = time;
            run.exitCode = std::atoi(detail.c_str());
        } else if (event == "crashed") {
            run.crashed = time;
            run.crashCode = detail;
        } else if (event == "error") {
            run.errors.push_back(detail);
        }
    }
    return runs;
}

}  // namespace quelbrin::e2e
