#pragma once
// Helpers for tests that start programs: a scratch folder, the substitute
// installer copied into it, and its log read back.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/test_files.h"

namespace quelbrin::test {

// A build-tree path as this program sees it: Wine shows the Unix root as Z:.
inline std::string FromBuildTree(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.rfind('\\', 0) == 0 ? "Z:" + path : path;
}

inline std::string SubstitutePath() { return FromBuildTree(QUELBRIN_SUBSTITUTE_EXE); }
inline std::string LockProbePath() { return FromBuildTree(QUELBRIN_LOCK_PROBE_EXE); }

inline void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == text.size()) << path;
}

inline std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileW(win32::Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    return text;
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

struct LogLine {
    unsigned long long time = 0;
    std::uint32_t pid = 0;
    std::string event;
    std::string detail;
};

inline std::vector<LogLine> ReadLog(const std::string& path) {
    std::vector<LogLine> lines;
    const std::string text = ReadTextFile(path);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) break;  // a line still being written
        const std::string raw = text.substr(start, end - start);
        start = end + 2;
        LogLine line;
        const std::size_t a = raw.find(' ');
        const std::size_t b = raw.find(' ', a + 1);
        if (a == std::string::npos || b == std::string::npos) {
            ADD_FAILURE() << "malformed log line: " << raw;
            continue;
        }
        const std::size_t c = raw.find(' ', b + 1);
        line.time = std::stoull(raw.substr(0, a));
        line.pid = static_cast<std::uint32_t>(std::stoul(raw.substr(a + 1, b - a - 1)));
        line.event = raw.substr(b + 1, c == std::string::npos ? std::string::npos : c - b - 1);
        if (c != std::string::npos) line.detail = raw.substr(c + 1);
        lines.push_back(line);
    }
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

// Polls until `done` holds (true) or the time has passed (false).
inline bool WaitUntil(const std::function<bool()>& done, int milliseconds = 10000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(10);
    }
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
            WaitForSingleObject(process_, 5000);
        }
        if (process_) CloseHandle(process_);
    }
    ProcessReaper(const ProcessReaper&) = delete;
    ProcessReaper& operator=(const ProcessReaper&) = delete;

private:
    HANDLE process_ = nullptr;
};

// Waits until the log holds this many lines of the event.
inline bool WaitForLogEvent(const std::string& log, const std::string& event, std::size_t count = 1,
                            int milliseconds = 10000) {
    return WaitUntil([&] { return Events(ReadLog(log), event).size() >= count; }, milliseconds);
}

// The top-level window with this title, waiting for it to come up.
inline HWND WaitForWindow(const std::string& title, int milliseconds = 10000) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowW(nullptr, win32::Widen(title).c_str())) != nullptr; }, milliseconds);
    return window;
}

// Waits until the window is the foreground window. Activation may settle
// after the call that asked for it returned (always so under Wine).
inline bool BecomesForeground(HWND window, int milliseconds = 10000) {
    return WaitUntil([&] { return GetForegroundWindow() == window; }, milliseconds);
}

}  // namespace quelbrin::test
