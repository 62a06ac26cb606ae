#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/test_folder.h"

namespace quelbrin::e2e {

// How the substitute installer behaves (its settings file).
struct SubstituteConfig {
    int passes = 1;       // Tab-then-Enter passes until its window closes
    int delayMs = 0;      // before the window shows
    std::string mode = "normal";  // or "ignorekeys", "nowindow", ...
    int timeoutMs = 120000;       // a forgotten one ends by itself
    int busyMs = 0;               // busy after each pass that leaves the window open
    int closingMs = 0;            // the window stays up this long after its last pass
};

// Copies the substitute into `folder`\`relativeDir` as `exeName` with its
// settings; returns the path of the log it will write.
std::wstring PlaceSubstitute(const TestFolder& folder, const std::wstring& relativeDir,
                             const std::wstring& exeName, const SubstituteConfig& config);

// What one installer process logged, in the order of its lines.
// Times are milliseconds since 1970.
struct LoggedKey {
    std::string key;  // TAB, ENTER or OTHER
    bool foreground = false;
    long long time = 0;
};

struct InstallerRun {
    std::uint32_t processId = 0;
    std::string commandLine;
    long long started = 0;
    std::string folder;  // current at start
    std::optional<long long> windowShown;
    std::string windowTitle;
    std::vector<LoggedKey> keys;
    int passes = 0;
    std::vector<int> keysWaitingAfterBusy;  // one per busy time
    std::optional<long long> windowClosed;
    std::string closeReason;  // passes, request, timeout
    std::optional<long long> exited;
    std::optional<int> exitCode;
    std::optional<long long> crashed;
    std::string crashCode;  // "code=0x..."
    std::vector<std::string> errors;
};

// The runs in a log, in the order they started; empty when there is no log.
std::vector<InstallerRun> ReadInstallerLog(const std::wstring& path);

}  // namespace quelbrin::e2e
