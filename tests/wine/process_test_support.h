#pragma once
// Helpers for tests that start programs: a scratch folder, the substitute
// installer copied into it, and its log read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/log_file.h"
#include "tests/support/test_files.h"
#include "tests/support/wait_until.h"
#include "tests/support/wine_path.h"

namespace quelbrin::test {

using namespace std::chrono_literals;

inline std::string SubstitutePath() { return win32::Narrow(WinePath(QUELBRIN_SUBSTITUTE_EXE)); }
inline std::string LockProbePath() { return win32::Narrow(WinePath(QUELBRIN_LOCK_PROBE_EXE)); }

inline void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == text.size()) << path;
}

// Copies the substitute installer into a folder; returns the copy's path.
inline std::string CopySubstitute(const std::string& folder, const std::string& name = "InstallHFZ.exe") {
    const std::string target = folder + "\\" + name;
    EXPECT_TRUE(CopyFileW(win32::Widen(SubstitutePath()).c_str(), win32::Widen(target).c_str(), FALSE))
        << SubstitutePath() << " -> " << target << ": error " << GetLastError();
    return target;
}

// The settings file the substitute reads: its own name with ".cfg" for ".exe".
inline std::string SettingsPathOf(const std::string& exe) { return exe.substr(0, exe.size() - 4) + ".cfg"; }

// The substitute's log; a line of another form fails the test.
inline std::vector<LogLine> ReadLog(const std::string& path) {
    std::vector<std::string> malformed;
    std::vector<LogLine> lines = ReadLogLines(win32::Widen(path), &malformed);
    for (const std::string& line : malformed) ADD_FAILURE() << "malformed log line: " << line;
    return lines;
}

// The log's lines of one event, in order, as "event detail".
inline std::vector<std::string> Events(const std::vector<LogLine>& lines, const std::string& event) {
    std::vector<std::string> out;
    for (const LogLine& l : lines)
        if (l.event == event) out.push_back(l.detail);
    return out;
}

// The events of the whole log, in order, for comparing sequences.
inline std::vector<std::string> EventNames(const std::vector<LogLine>& lines) {
    std::vector<std::string> out;
    for (const LogLine& l : lines) out.push_back(l.event);
    return out;
}

// Ends a started program that is still running when the test is over. It
// keeps a handle of its own, so it works whoever closes the original first.
class ProcessReaper {
public:
    explicit ProcessReaper(HANDLE process) {
        if (!DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &process_, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            process_ = nullptr;
    }
    ~ProcessReaper() {
        if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, test::ScaledMs(5000));
        }
        if (process_) CloseHandle(process_);
    }
    ProcessReaper(const ProcessReaper&) = delete;
    ProcessReaper& operator=(const ProcessReaper&) = delete;

private:
    HANDLE process_ = nullptr;
};

// Waits until the log holds this many lines of the event.
inline bool WaitForLogEvent(const std::string& log, const std::string& event, std::size_t count = 1) {
    return WaitUntil([&] { return Events(ReadLog(log), event).size() >= count; });
}

// The top-level window with this title, waiting for it to come up.
inline HWND WaitForWindow(const std::string& title) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowW(nullptr, win32::Widen(title).c_str())) != nullptr; });
    return window;
}

// Waits until the window is the foreground window. Activation may settle
// after the call that asked for it returned (always so under Wine).
inline bool BecomesForeground(HWND window) { return WaitUntil([&] { return GetForegroundWindow() == window; }); }

}  // namespace quelbrin::test
