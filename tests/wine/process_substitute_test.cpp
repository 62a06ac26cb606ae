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
    // Starts it with these settings and waits for its window (nullptr when none shows).
    HWND StartShown(const std::string& settings, const std::string& packageName) {
        Configure(settings);
        process = Start(packageName);
        title = TitleFor(packageName);
        return Shown(title);
    }
    bool WindowUp() const { return FindWindowW(nullptr, win32::Widen(title).c_str()) != nullptr; }
    static HANDLE Native(Process& p) { return static_cast<win32::Win32Process&>(p).NativeHandle(); }
    static DWORD WaitForExitCode(Process& p) {
        EXPECT_EQ(WaitForSingleObject(Native(p), ScaledMs(10000)), WAIT_OBJECT_0);
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
        return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ScaledMs(10000), &result) != 0;
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
    std::unique_ptr<Process> process;
    std::string title;
};

// What the e2e tests read of its log: the events in order, the command line,
// the window's title, each key with the foreground, the passes, why the
// window closed (logged once it is gone) and the exit code.
TEST_F(SubstituteInstaller, ClosesAfterTheConfiguredPassesAndLogsThem) {
    HWND window = StartShown("passes=2\r\n", "Fire and Ice.hfz");
    ASSERT_NE(window, nullptr);
    Pass(title);
    EXPECT_TRUE(KeysHandled(window, 2) && WindowUp()) << "closed after one pass of two";
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_FALSE(WindowUp());

    const std::vector<LogLine> lines = Lines();
    EXPECT_EQ(EventNames(lines), (std::vector<std::string>{"cmdline", "config", "start", "folder", "window", "key", "key",
                                                           "pass", "key", "key", "pass", "close", "exit"}));
    EXPECT_EQ(Events(lines, "cmdline"), std::vector<std::string>{"\"" + exe + "\" " + folder.File("Fire and Ice.hfz")});
    EXPECT_EQ(Events(lines, "window"), std::vector<std::string>{"1 foreground=yes title=" + title});
    EXPECT_EQ(Events(lines, "key")[1], "ENTER vk=0x0D foreground=yes window=1");
    EXPECT_EQ(Events(lines, "close"), std::vector<std::string>{"1 passes"});
    for (const LogLine& l : lines) EXPECT_EQ(l.processId, process->Id());
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_GE(lines[i].time, lines[i - 1].time);
}

TEST_F(SubstituteInstaller, CountsOnlyTabFollowedByEnter) {
    HWND window = StartShown("", "Order.hfz");
    ASSERT_NE(window, nullptr);
    Activate(title);
    ASSERT_TRUE(desktop->SendKeys("{ENTER}{TAB}x{ENTER}{TAB}{TAB}", true, {}));
    ASSERT_TRUE(KeysHandled(window, 6));
    EXPECT_TRUE(Events(Lines(), "pass").empty());
    ASSERT_TRUE(desktop->SendKeys("{ENTER}", true, {}));  // after the last Tab: a pass
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(Events(Lines(), "key")[2], "OTHER vk=0x58 foreground=yes window=1");
    EXPECT_EQ(Events(Lines(), "pass"), std::vector<std::string>{"1 of 1"});
}

TEST_F(SubstituteInstaller, LogsKeysThatArriveWhileAnotherWindowIsInFront) {
    HWND window = StartShown("", "Background.hfz");
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
    for (const LogLine& l : Lines())
        if (l.processId == slow->Id()) EXPECT_NE(l.event, "window") << "shown before its delay was over";
}

// "nowindow" waits its delay and ends; "exit" ends at once, before a delay
// far beyond the wait for its end.
TEST_F(SubstituteInstaller, NoWindowAndExitModesEndWithoutAWindow) {
    for (const char* settings : {"mode=nowindow\r\ndelay_ms=300\r\n", "mode=exit\r\ndelay_ms=600000\r\n"}) {
        SCOPED_TRACE(settings);
        DeleteFileW(win32::Widen(log).c_str());
        Configure(settings);
        EXPECT_EQ(WaitForExitCode(*Start("Silent.hfz")), 0u);
        EXPECT_EQ(EventNames(Lines()), (std::vector<std::string>{"cmdline", "config", "start", "folder", "exit"}));
    }
}

TEST_F(SubstituteInstaller, IgnoreKeysModeKeepsItsWindow) {
    HWND window = StartShown("mode=ignorekeys\r\n", "Stubborn.hfz");
    ASSERT_NE(window, nullptr);
    for (int i = 0; i < 3; ++i) Pass(title);
    EXPECT_TRUE(KeysHandled(window, 6) && WindowUp()) << "the window went";
    EXPECT_FALSE(process->HasExited());
    EXPECT_TRUE(Events(Lines(), "pass").empty());
}

// Wine's own crash report would reach this test's error output, which the
// test wrapper treats as a crash of the test itself: the substitute ends
// through its own filter, with the exception's code.
TEST_F(SubstituteInstaller, CrashModeDiesOfAnAccessViolationWithItsWindowUp) {
    ASSERT_NE(StartShown("mode=crash\r\n", "Broken.hfz"), nullptr);
    Activate(title);
    desktop->SendKeys("{TAB}", false, {});
    EXPECT_EQ(WaitForExitCode(*process), kAccessViolation);
    EXPECT_TRUE(WaitUntil([&] { return !WindowUp(); }, 5000ms));
    EXPECT_EQ(EventNames(Lines()), (std::vector<std::string>{"cmdline", "config", "start", "folder", "window", "key",
                                                             "crash", "crashed"}));
}

TEST_F(SubstituteInstaller, CrashModeCanCrashWithoutAKey) {
    Configure("mode=crash\r\ncrash_ms=200\r\n");
    EXPECT_EQ(WaitForExitCode(*Start("Timed crash.hfz")), kAccessViolation);
    EXPECT_EQ(Events(Lines(), "crashed"), std::vector<std::string>{"code=0xC0000005"});
}

TEST_F(SubstituteInstaller, ReopenModeShowsASecondWindowWithTheSameTitle) {
    HWND first = StartShown("mode=reopen\r\nreopen_delay_ms=100\r\n", "Twice.hfz");
    ASSERT_NE(first, nullptr);
    Pass(title);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(first); }, 5000ms));
    HWND second = Shown(title, 2);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(Events(Lines(), "close"), (std::vector<std::string>{"1 passes", "2 passes"}));
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

// A test whose settings are wrong must see it in the log (the e2e tests
// expect no "error" lines).
TEST_F(SubstituteInstaller, ReportsBadSettingsAndABadCommandLineInItsLog) {
    ASSERT_NE(StartShown("passes=zero\r\nmode=sleepy\r\ncolour=blue\r\nno equals sign\r\n", "Odd.hfz"), nullptr);
    EXPECT_EQ(Events(Lines(), "error").size(), 4u);

    Configure("");
    DeleteFileW(win32::Widen(log).c_str());
    auto bare = processes->Shell(exe, "\"" + exe + "\"", kNormalFocus);
    handles.push_back(std::make_unique<ProcessReaper>(Native(*bare)));
    EXPECT_EQ(WaitForExitCode(*bare), 2u);
    EXPECT_EQ(Events(Lines(), "error"), (std::vector<std::string>{"command line: no package path after the program"}));
}

TEST_F(SubstituteInstaller, UsesItsDefaultsWithoutASettingsFile) {
    process = Start("Plain.hfz");
    title = TitleFor("Plain.hfz");
    ASSERT_NE(Shown(title), nullptr);
    Pass(title);
    EXPECT_EQ(WaitForExitCode(*process), 0u);
    EXPECT_EQ(Events(Lines(), "pass"), std::vector<std::string>{"1 of 1"});
}

}  // namespace
}  // namespace quelbrin::test
