#pragma once
// Helpers of the hostile-input and fault tests: the About dialog's path box,
// a responsiveness check, another program's window, folders with long paths
// or very many files, and what Windows reports of a process's resources.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique_handle.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/wall_clock.h"

namespace quelbrin::e2e {

// PlaceSubstitute, with further "key=value" lines (per-package ones too)
// added to its settings; returns the log path.
std::wstring PlaceSubstituteWith(const TestFolder& folder, const std::wstring& relativeDir,
                                 const std::wstring& exeName, const SubstituteConfig& config,
                                 const std::vector<std::string>& moreSettings);

// Quelbrin's main window answers a WM_GETTEXT: its thread is not hung (the
// safety net is Windows' own 5 s, stretched by test::Scaled).
::testing::AssertionResult Responsive(const QuelbrinRun& app);

// How many answer passes Quelbrin has held its keys back in (its main
// window answers a registered message); nullopt when it did not answer.
std::optional<long long> HeldBackPasses(const QuelbrinRun& app);

// Types a path into the About dialog's path box and presses OK.
::testing::AssertionResult SetInstallerPath(const QuelbrinRun& app, const std::wstring& path);

// Waits until an install command is over: Status2 reads "Ready" or
// "Error: ..." and "Install Selected File" is enabled again. Call it once
// Status2 reads something else (listing the folder again sees to that).
// Every poll is a WM_GETTEXT round trip.
struct CommandEnd {
    std::optional<std::wstring> status;  // nullopt: not over in time, or Quelbrin ended
    std::chrono::milliseconds slowestAnswer{0};  // a figure for the report, never asserted
    int unanswered = 0;  // polls that got no answer: Quelbrin's thread hung
};
CommandEnd WaitForCommandEnd(const QuelbrinRun& app, std::chrono::milliseconds timeout);

// The command ended with this Status2, and Quelbrin answered every poll in time.
::testing::AssertionResult EndedWith(const CommandEnd& end, const std::wstring& status);

// Sets the folder box and waits until Status2 has answered the new text:
// returns Status2 ("N .hfz files" or "Invalid path"), or nullopt.
std::optional<std::wstring> ListFolder(const QuelbrinRun& app, const std::wstring& text,
                                       std::chrono::milliseconds timeout = std::chrono::milliseconds(10000));

// One item of the main window's file list and the list's count, each asked
// for alone (reading all of a long list across processes is slow).
std::optional<int> ListCount(const QuelbrinRun& app);
std::optional<std::wstring> ListItem(const QuelbrinRun& app, int index);

// Another program's window that logs the keys it gets and takes the
// foreground when told (intruder_window.exe).
class Intruder {
public:
    Intruder(const std::wstring& logPath, const std::wstring& title);
    ~Intruder();
    Intruder(const Intruder&) = delete;
    Intruder& operator=(const Intruder&) = delete;

    bool WaitUntilReady(std::chrono::milliseconds timeout);
    // Asks it to take the foreground and returns once it holds it: the time
    // (ms since 1970) at which it was seen in front; nullopt when it never was.
    std::optional<long long> Grab(std::chrono::milliseconds timeout);
    HWND Window() const;
    // Its log lines of keys and characters it received.
    std::vector<std::string> KeysReceived() const;
    std::vector<std::string> LogLines() const;

private:
    std::wstring log_;
    std::wstring title_;
    win32::UniqueKernelHandle process_;
};

// Files and folders under paths of any length.
using test::Verbatim;
bool MakeFolderVerbatim(const std::wstring& path);
bool MakeFileVerbatim(const std::wstring& path, const std::string& content);
using test::RemoveTree;
using test::MakeEmptyFiles;

// What Windows reports of another process. Wine 8 answers the documented
// calls for another process with 0 (handle count, private bytes); the
// figures from the handle table and the address space stand in for them.
struct ProcessFigures {
    bool handleCountKnown = false;
    DWORD handleCount = 0;  // GetProcessHandleCount
    bool handleTableKnown = false;
    DWORD handlesInTable = 0;  // the system's handle table, entries of the process
    bool memoryKnown = false;
    SIZE_T privateUsage = 0;  // GetProcessMemoryInfo
    SIZE_T workingSet = 0;
    bool committedKnown = false;
    SIZE_T committedPrivate = 0;  // VirtualQueryEx: committed private regions
};
ProcessFigures MeasureProcess(DWORD processId);

}  // namespace quelbrin::e2e
