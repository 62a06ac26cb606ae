#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

constexpr DWORD kAccessViolation = 0xC0000005;

// The substitute installer copied into a scratch folder, with its settings.
class SubstituteInstaller : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        exe = CopySubstitute(folder.Path());
    }
    void Configure(const std::string& lines) { WriteTextFile(SettingsPathOf(exe), "log=" + log + "\r\n" + lines); }

    // Starts it for a package of the scratch folder.
    std::unique_ptr<Process> Start(const std::string& packageName) {
        auto process = processes->Shell(exe, "\"" + exe + "\" " + folder.File(packageName), kNormalFocus);
        handles.push_back(std::make_unique<ProcessReaper>(Native(*process)));
        return process;
    }
    std::string TitleFor(const std::string& packageName) { return "Installing  " + folder.File(packageName); }
    static HANDLE Native(Process& p) { return static_cast<win32::Win32Process&>(p).NativeHandle(); }
    static DWORD WaitForExitCode(Process& p) {
        EXPECT_EQ(WaitForSingleObject(Native(p), 10000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeProcess(Native(p), &code);
        return code;
    }
    // Brings its window to the front and answers it once.
    void Pass(const std::string& title) {
        Activate(title);
        ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", true, {}));
    }
    void Activate(const std::string& title) {
        desktop->AppActivate(title);
        ASSERT_TRUE(BecomesForeground(FindWindowW(nullptr, win32::Widen(title).c_str()))) << title;
    }
    // Once the log holds this many keys, a round trip through the window's
    // thread: what it did on them, it has done (and logged) by then.
    // False when the window has gone.
    bool KeysHandled(HWND window, std::size_t keys) {
        if (!WaitForLogEvent(log, "key", keys)) return false;
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &result) != 0;
    }
    std::vector<LogLine> Lines() { return ReadLog(log); }
    // Its window once shown (the log says so only after showing it), or null.
    HWND Shown(const std::string& title, std::size_t nth = 1) {
        if (!WaitForLogEvent(log, "window", nth)) return nullptr;
        return FindWindowW(nullptr, win32::Widen(title).c_str());
    }

    std::unique_ptr<Processes> processes = win32::MakeProcesses();
    std::unique_ptr<Desktop> desktop = win32::MakeDesktop();
    TempFolder folder{"substitute"};
    std::string log = folder.File("installer.log");
    std::string exe;
    std::vector<std::unique_ptr<ProcessReaper>> handles;
};

TEST_F(SubstituteInstaller, ClosesAfterTheConfiguredPassesAndLogsThem) {
    Configure("passes=2\r\n");
    auto process = Start("Fire and Ice.hfz");
    const std::string title = TitleFor("Fire and Ice.hfz");
    HWND window = Shown(title);
    ASSERT_NE(window, nullptr);

    Pass(title);
    EXPECT_TRUE(KeysHandled(window, 2)) << "closed after one pass of two";
    EXPECT_NE(FindWindowW(nullptr, win32::Widen(title).c_str()), nullptr) << "closed after one pass of two";
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(FindWindowW(nullptr, win32::Widen(title).c_str()), nullptr);

    const std::vector<LogLine> lines = Lines();
    EXPECT_EQ(EventNames(lines), (std::vector<std::string>{"cmdline", "config", "start", "folder", "window", "key", "key",
                                                           "pass", "key", "key", "pass", "close", "exit"}));
    EXPECT_EQ(Events(lines, "cmdline"), std::vector<std::string>{"\"" + exe + "\" " + folder.File("Fire and Ice.hfz")});
    EXPECT_EQ(Events(lines, "config"), std::vector<std::string>{"found " + SettingsPathOf(exe)});
    EXPECT_EQ(Events(lines, "start"),
              std::vector<std::string>{"mode=normal passes=2 delay_ms=0 package=" + folder.File("Fire and Ice.hfz")});
    EXPECT_EQ(Events(lines, "window"), std::vector<std::string>{"1 foreground=yes title=" + title});
    EXPECT_EQ(Events(lines, "key"), (std::vector<std::string>{
                                        "TAB vk=0x09 foreground=yes window=1", "ENTER vk=0x0D foreground=yes window=1",
                                        "TAB vk=0x09 foreground=yes window=1", "ENTER vk=0x0D foreground=yes window=1"}));
    EXPECT_EQ(Events(lines, "pass"), (std::vector<std::string>{"1 of 2", "2 of 2"}));
    EXPECT_EQ(Events(lines, "close"), std::vector<std::string>{"1 passes"});
    EXPECT_EQ(Events(lines, "exit"), std::vector<std::string>{"0"});
    for (const LogLine& l : lines) EXPECT_EQ(l.processId, process->Id());
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i].time, lines[i - 1].time);
}

TEST_F(SubstituteInstaller, CountsOnlyTabFollowedByEnter) {
    Configure("");
    auto process = Start("Order.hfz");
    const std::string title = TitleFor("Order.hfz");
    HWND window = Shown(title);
    ASSERT_NE(window, nullptr);
    Activate(title);
    ASSERT_TRUE(desktop->SendKeys("{ENTER}{TAB}x{ENTER}{TAB}{TAB}", true, {}));
    ASSERT_TRUE(KeysHandled(window, 6));
    EXPECT_TRUE(Events(Lines(), "pass").empty());
    ASSERT_TRUE(desktop->SendKeys("{ENTER}", true, {}));  // after the last Tab: a pass
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    const std::vector<std::string> keys = Events(Lines(), "key");
    ASSERT_EQ(keys.size(), 7u);
    EXPECT_EQ(keys[2], "OTHER vk=0x58 foreground=yes window=1");
    EXPECT_EQ(Events(Lines(), "pass"), std::vector<std::string>{"1 of 1"});
}

TEST_F(SubstituteInstaller, LogsKeysThatArriveWhileAnotherWindowIsInFront) {
    Configure("");
    auto process = Start("Background.hfz");
    HWND window = Shown(TitleFor("Background.hfz"));
    ASSERT_NE(window, nullptr);
    TestWindow mine(UniqueTitle("substitute in front"));
    desktop->AppActivate(UniqueTitle("substitute in front"));
    ASSERT_TRUE(BecomesForeground(mine.Handle()));
    // Posted straight to the installer's window, as if focus had moved on in between.
    PostMessageW(window, WM_KEYDOWN, VK_TAB, 1);
    ASSERT_TRUE(WaitUntil([&] { return !Events(Lines(), "key").empty(); }));
    EXPECT_EQ(Events(Lines(), "key"), std::vector<std::string>{"TAB vk=0x09 foreground=no window=1"});
}

// One installer waits longer than the test waits for anything; one started
// after it has begun its wait shows its window after a short delay, while
// the first still shows none.
TEST_F(SubstituteInstaller, ShowsItsWindowOnlyAfterTheDelay) {
    Configure("delay_ms=100\r\ndelay_ms@Slow.hfz=600000\r\n");
    auto slow = Start("Slow.hfz");
    ASSERT_TRUE(WaitForLogEvent(log, "start"));
    auto quick = Start("Quick.hfz");
    ASSERT_NE(WaitForWindow(TitleFor("Quick.hfz")), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, win32::Widen(TitleFor("Slow.hfz")).c_str()), nullptr);
    EXPECT_FALSE(slow->HasExited());
    const std::vector<LogLine> lines = Lines();
    for (const LogLine& l : lines) {
        if (l.processId == slow->Id()) { EXPECT_NE(l.event, "window") << "shown before its delay was over"; }
    }
    EXPECT_EQ(Events(lines, "start"),
              (std::vector<std::string>{"mode=normal passes=1 delay_ms=600000 package=" + folder.File("Slow.hfz"),
                                        "mode=normal passes=1 delay_ms=100 package=" + folder.File("Quick.hfz")}));
}

TEST_F(SubstituteInstaller, NoWindowModeExitsWithoutAWindow) {
    Configure("mode=nowindow\r\ndelay_ms=300\r\n");
    auto process = Start("Silent.hfz");
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(EventNames(Lines()), (std::vector<std::string>{"cmdline", "config", "start", "folder", "exit"}));
}

TEST_F(SubstituteInstaller, ExitModeEndsAtOnceBeforeAnyDelay) {
    // A delay far beyond the wait for its end.
    Configure("mode=exit\r\ndelay_ms=600000\r\n");
    auto process = Start("Gone.hfz");
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(EventNames(Lines()), (std::vector<std::string>{"cmdline", "config", "start", "folder", "exit"}));
}

TEST_F(SubstituteInstaller, IgnoreKeysModeKeepsItsWindow) {
    Configure("mode=ignorekeys\r\n");
    auto process = Start("Stubborn.hfz");
    const std::string title = TitleFor("Stubborn.hfz");
    HWND window = Shown(title);
    ASSERT_NE(window, nullptr);
    for (int i = 0; i < 3; ++i) Pass(title);
    EXPECT_TRUE(KeysHandled(window, 6)) << "the window went";
    EXPECT_NE(FindWindowW(nullptr, win32::Widen(title).c_str()), nullptr);
    EXPECT_FALSE(process->HasExited());
    EXPECT_EQ(Events(Lines(), "key").size(), 6u);
    EXPECT_TRUE(Events(Lines(), "pass").empty());
}

TEST_F(SubstituteInstaller, CrashModeDiesOfAnAccessViolationWithItsWindowUp) {
    Configure("mode=crash\r\n");
    auto process = Start("Broken.hfz");
    const std::string title = TitleFor("Broken.hfz");
    ASSERT_NE(Shown(title), nullptr);
    Activate(title);
    desktop->SendKeys("{TAB}", false, {});
    EXPECT_EQ(WaitForExitCode(*process), kAccessViolation);
    EXPECT_TRUE(WaitUntil([&] { return FindWindowW(nullptr, win32::Widen(title).c_str()) == nullptr; }, 5000ms));
    const std::vector<LogLine> lines = Lines();
    EXPECT_EQ(EventNames(lines), (std::vector<std::string>{"cmdline", "config", "start", "folder", "window", "key", "crash",
                                                           "crashed"}));
    EXPECT_EQ(Events(lines, "crashed"), std::vector<std::string>{"code=0xC0000005"});
    // Wine's own crash report would reach this test's error output, which the
    // test wrapper treats as a crash of the test itself.
}

TEST_F(SubstituteInstaller, CrashModeCanCrashWithoutAKey) {
    Configure("mode=crash\r\ncrash_ms=200\r\n");
    auto process = Start("Timed crash.hfz");
    EXPECT_EQ(WaitForExitCode(*process), kAccessViolation);
    EXPECT_EQ(EventNames(Lines()), (std::vector<std::string>{"cmdline", "config", "start", "folder", "window", "crash",
                                                             "crashed"}));
}

TEST_F(SubstituteInstaller, ReopenModeShowsASecondWindowWithTheSameTitle) {
    Configure("mode=reopen\r\nreopen_delay_ms=100\r\n");
    auto process = Start("Twice.hfz");
    const std::string title = TitleFor("Twice.hfz");
    HWND first = Shown(title);
    ASSERT_NE(first, nullptr);
    Pass(title);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first); }, 5000ms));
    HWND second = Shown(title, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    const std::vector<LogLine> lines = Lines();
    EXPECT_EQ(Events(lines, "window"), (std::vector<std::string>{"1 foreground=yes title=" + title,
                                                                 "2 foreground=yes title=" + title}));
    EXPECT_EQ(Events(lines, "close"), (std::vector<std::string>{"1 passes", "2 passes"}));
}

TEST_F(SubstituteInstaller, SettingsForOnePackageWinOverTheGeneralOnes) {
    Configure("passes=1\r\npasses@three.HFZ=3\r\nmode@Other.hfz=ignorekeys\r\n# a comment\r\n\r\n");
    auto three = Start("Three.hfz");
    auto one = Start("One.hfz");
    ASSERT_TRUE(WaitUntil([&] { return Events(Lines(), "start").size() == 2; }));
    std::vector<std::string> starts = Events(Lines(), "start");
    std::sort(starts.begin(), starts.end());
    EXPECT_EQ(starts, (std::vector<std::string>{"mode=normal passes=1 delay_ms=0 package=" + folder.File("One.hfz"),
                                                "mode=normal passes=3 delay_ms=0 package=" + folder.File("Three.hfz")}));
    EXPECT_TRUE(Events(Lines(), "error").empty());
}

TEST_F(SubstituteInstaller, ReportsBadSettingsAndABadCommandLineInItsLog) {
    Configure("passes=zero\r\nmode=sleepy\r\ncolour=blue\r\nno equals sign\r\ndelay_ms=100\r\n");
    auto process = Start("Odd.hfz");
    ASSERT_NE(Shown(TitleFor("Odd.hfz")), nullptr);
    const std::vector<std::string> errors = Events(Lines(), "error");
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[0], "setting line 5: no \"=\" in \"no equals sign\"");
    EXPECT_EQ(errors[1].rfind("setting line 2: passes=zero: not a whole number", 0), 0u) << errors[1];
    EXPECT_EQ(errors[2].rfind("setting line 3: mode=sleepy: no such mode", 0), 0u) << errors[2];
    EXPECT_EQ(errors[3], "setting line 4: colour=blue: no such setting");
    EXPECT_EQ(Events(Lines(), "start"),
              std::vector<std::string>{"mode=normal passes=1 delay_ms=100 package=" + folder.File("Odd.hfz")});

    Configure("");
    DeleteFileW(win32::Widen(log).c_str());
    auto bare = processes->Shell(exe, "\"" + exe + "\"", kNormalFocus);
    handles.push_back(std::make_unique<ProcessReaper>(Native(*bare)));
    EXPECT_EQ(WaitForExitCode(*bare), 2u);
    EXPECT_EQ(Events(Lines(), "error"), (std::vector<std::string>{"command line: no package path after the program"}));
}

TEST_F(SubstituteInstaller, UsesItsDefaultsWithoutASettingsFile) {
    const std::string defaultLog = folder.File("installer.log");
    auto process = Start("Plain.hfz");
    const std::string title = TitleFor("Plain.hfz");
    ASSERT_NE(Shown(title), nullptr);
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    const std::vector<LogLine> lines = ReadLog(defaultLog);
    EXPECT_EQ(Events(lines, "config"), std::vector<std::string>{"missing " + SettingsPathOf(exe)});
    EXPECT_EQ(Events(lines, "pass"), std::vector<std::string>{"1 of 1"});
}

}  // namespace
}  // namespace quelbrin::test
