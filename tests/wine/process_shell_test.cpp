#include <gtest/gtest.h>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

HANDLE NativeHandle(Process& process) { return static_cast<win32::Win32Process&>(process).NativeHandle(); }

// The substitute installer in a scratch folder whose name has blanks.
class ProcessShell : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        exe = CopySubstitute(folder.Path());
        WriteTextFile(SettingsPathOf(exe), "log=" + log + "\r\nmode=exit\r\n");
    }
    std::vector<LogLine> WaitForExit(Process& process) {
        EXPECT_EQ(WaitForSingleObject(NativeHandle(process), test::ScaledMs(10000)), WAIT_OBJECT_0);
        EXPECT_TRUE(process.HasExited());
        return ReadLog(log);
    }
    void ExpectFailure(const std::string& program, std::int32_t number) {
        try {
            // The command line names the real installer: only `program` may decide what runs.
            processes->Shell(program, "\"" + exe + "\" C:\\x.hfz", kNormalFocus);
            ADD_FAILURE() << "started \"" << program << "\"";
        } catch (const ErrorInfo& error) {
            EXPECT_EQ(error.Number, number) << program;
            EXPECT_EQ(error.Source, "CreateProcessW");
            EXPECT_EQ(error.Description, win32::DescribeError(static_cast<std::uint32_t>(number)));
        }
    }

    std::unique_ptr<Processes> processes = win32::MakeProcesses();
    TempFolder folder{"shell dir"};
    std::string log = folder.File("installer.log");
    std::string exe;
};

TEST_F(ProcessShell, PassesTheCommandLineExactly) {
    for (const std::string& commandLine :
         {"\"" + exe + "\" C:\\Effects dir\\Fire and Ice.hfz", "\"" + exe + "\"  two  blanks\t\"quoted\" \xC3\xA9t\xC3\xA9.hfz",
          std::string("InstallHFZ.exe D:\\x.hfz")}) {
        DeleteFileW(win32::Widen(log).c_str());
        auto process = processes->Shell(exe, commandLine, kNormalFocus);
        ProcessReaper reaper(NativeHandle(*process));
        const std::vector<LogLine> lines = WaitForExit(*process);
        ASSERT_FALSE(lines.empty()) << commandLine;
        EXPECT_EQ(Events(lines, "cmdline"), std::vector<std::string>{commandLine});
        EXPECT_EQ(lines.front().processId, process->Id());
    }
}

TEST_F(ProcessShell, RunsTheNamedProgramNotTheCommandLinesFirstWord) {
    // Unquoted, the command line would name "...\shell" first; the program is given whole.
    const std::string commandLine = exe + " C:\\Effects\\Fire.hfz";
    ASSERT_NE(exe.find(' '), std::string::npos);
    auto process = processes->Shell(exe, commandLine, kNormalFocus);
    ProcessReaper reaper(NativeHandle(*process));
    const std::vector<LogLine> lines = WaitForExit(*process);
    EXPECT_EQ(Events(lines, "cmdline"), std::vector<std::string>{commandLine});
}

TEST_F(ProcessShell, ShowsTheWindowAsAsked) {
    WriteTextFile(SettingsPathOf(exe), "log=" + log + "\r\n");
    struct Case {
        int style;
        bool iconic;
    };
    std::size_t shown = 0;
    for (const Case c : {Case{kNormalFocus, false}, Case{2, true}}) {
        const std::string package = folder.File("style " + std::to_string(c.style) + ".hfz");
        auto process = processes->Shell(exe, "\"" + exe + "\" " + package, c.style);
        ProcessReaper reaper(NativeHandle(*process));
        HWND window = WaitForWindow("Installing  " + package);
        ASSERT_NE(window, nullptr) << "style " << c.style;
        ASSERT_TRUE(WaitForLogEvent(log, "window", ++shown));  // logged once shown
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_EQ(IsIconic(window) != FALSE, c.iconic) << "style " << c.style;
    }
}

TEST_F(ProcessShell, ReportsWhenTheProgramEnds) {
    WriteTextFile(SettingsPathOf(exe), "log=" + log + "\r\nmode=nowindow\r\ndelay_ms=500\r\n");
    auto process = processes->Shell(exe, "\"" + exe + "\" C:\\x.hfz", kNormalFocus);
    ProcessReaper reaper(NativeHandle(*process));
    EXPECT_FALSE(process->HasExited());
    EXPECT_FALSE(process->ExitCode().has_value()) << "no exit code while it runs";
    EXPECT_TRUE(WaitUntil([&] { return process->HasExited(); }));
    EXPECT_EQ(EventNames(ReadLog(log)).back(), "exit");
    EXPECT_EQ(process->ExitCode(), std::optional<std::uint32_t>(0));
    // Without a package it ends with its code for a bad command line, 2.
    auto refused = processes->Shell(exe, "\"" + exe + "\"", kNormalFocus);
    ProcessReaper refusedReaper(NativeHandle(*refused));
    EXPECT_TRUE(WaitUntil([&] { return refused->HasExited(); }));
    EXPECT_EQ(refused->ExitCode(), std::optional<std::uint32_t>(2));
}

TEST_F(ProcessShell, FailsWithTheSystemsWordingWhenNothingCanBeStarted) {
    ExpectFailure("", ERROR_FILE_NOT_FOUND);
    ExpectFailure(folder.File("missing.exe"), ERROR_FILE_NOT_FOUND);
    ExpectFailure(folder.File("no such folder\\InstallHFZ.exe"), ERROR_PATH_NOT_FOUND);
    ExpectFailure(std::string("\0", 1) + exe, ERROR_INVALID_NAME);
    try {
        processes->Shell(exe, "\"" + exe + "\" x.hfz", 5);
        ADD_FAILURE() << "started with window style 5";
    } catch (const ErrorInfo& error) {
        EXPECT_EQ(error.Number, ERROR_INVALID_PARAMETER);
    }
    // A start that works afterwards: once it has ended, the log holds its lines alone.
    auto after = processes->Shell(exe, "\"" + exe + "\" C:\\after.hfz", kNormalFocus);
    ProcessReaper reaper(NativeHandle(*after));
    const std::vector<LogLine> lines = WaitForExit(*after);
    EXPECT_EQ(Events(lines, "cmdline"), std::vector<std::string>{"\"" + exe + "\" C:\\after.hfz"})
        << "a failed start ran the installer anyway";
    for (const LogLine& l : lines) EXPECT_EQ(l.processId, after->Id()) << "a failed start ran the installer anyway";
}

}  // namespace
}  // namespace quelbrin::test
