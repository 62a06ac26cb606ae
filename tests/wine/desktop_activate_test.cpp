#include <gtest/gtest.h>

#include <cctype>

#include "platform/win32/desktop_activate.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_process.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/support/reliability_case.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

TEST(DesktopAppActivate, NeverSharesTheInputOfAHungForegroundThread) {
    quelbrin::test::ReliabilityCase("Answer loop", "the window in front hangs (its thread took no message for 5 s)",
                                    "the activation never attaches to its thread, so Quelbrin never waits on it");
    TestWindow window(UniqueTitle("activate hung"));
    EXPECT_EQ(win32::ThreadToAttach(window.Handle()), window.ThreadId());
    ASSERT_TRUE(window.Stall());
    // Windows calls a thread hung after 5 s without taking a message.
    ASSERT_TRUE(WaitUntil([&] { return IsHungAppWindow(window.Handle()) != FALSE; }, std::chrono::seconds(20)));
    EXPECT_EQ(win32::ThreadToAttach(window.Handle()), 0u);
    EXPECT_TRUE(window.EndStall());
}

TEST(DesktopAppActivate, BringsTheWindowWithTheExactTitleToTheFront) {
    auto desktop = win32::MakeDesktop();
    TestWindow target(UniqueTitle("activate exact"));
    TestWindow other(UniqueTitle("activate exact other"));
    desktop->AppActivate(UniqueTitle("activate exact other"));
    ASSERT_TRUE(BecomesForeground(other.Handle()));

    desktop->AppActivate(UniqueTitle("activate exact"));
    EXPECT_TRUE(BecomesForeground(target.Handle()));
}

TEST(DesktopAppActivate, TakesAVisibleWindowWhoseTitleBeginsWithTheText) {
    auto desktop = win32::MakeDesktop();
    const std::string prefix = UniqueTitle("activate prefix");
    TestWindow hidden(prefix + " A hidden one", false);
    TestWindow target(prefix + " Z visible one");
    TestWindow other(UniqueTitle("activate elsewhere"));
    desktop->AppActivate(UniqueTitle("activate elsewhere"));
    ASSERT_TRUE(BecomesForeground(other.Handle()));

    desktop->AppActivate(prefix);
    EXPECT_TRUE(BecomesForeground(target.Handle()));
    EXPECT_FALSE(IsWindowVisible(hidden.Handle()));

    std::string lower = prefix;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    desktop->AppActivate(UniqueTitle("activate elsewhere"));
    ASSERT_TRUE(BecomesForeground(other.Handle()));
    desktop->AppActivate(lower);
    EXPECT_TRUE(BecomesForeground(target.Handle()));
}

TEST(DesktopAppActivate, RestoresAMinimisedWindow) {
    auto desktop = win32::MakeDesktop();
    TestWindow target(UniqueTitle("activate minimised"));
    ShowWindow(target.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(target.Handle()) != FALSE; }, 2000ms));

    desktop->AppActivate(UniqueTitle("activate minimised"));
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(target.Handle()) == FALSE; })) << "still minimised";
    EXPECT_TRUE(BecomesForeground(target.Handle()));
}

TEST(DesktopAppActivate, FailsWithTheSystemsWordingWhenNoWindowMatches) {
    auto desktop = win32::MakeDesktop();
    TestWindow hiddenOnly(UniqueTitle("activate hidden only") + " x", false);
    for (const std::string& title : {UniqueTitle("activate nothing"), UniqueTitle("activate hidden only"),
                                     std::string()}) {
        try {
            desktop->AppActivate(title);
            ADD_FAILURE() << "no error for \"" << title << "\"";
        } catch (const ErrorInfo& error) {
            EXPECT_EQ(error.Number, ERROR_INVALID_WINDOW_HANDLE);
            EXPECT_EQ(error.Source, "AppActivate");
            EXPECT_EQ(error.Description, win32::DescribeError(ERROR_INVALID_WINDOW_HANDLE));
            EXPECT_FALSE(error.Description.empty());
        }
    }
}

TEST(DesktopAppActivate, DoesNotWaitOnAWindowThatTakesNoMessages) {
    auto desktop = win32::MakeDesktop();
    TestWindow stalled(UniqueTitle("activate stalled"));
    TestWindow other(UniqueTitle("activate stalled other"));
    desktop->AppActivate(UniqueTitle("activate stalled other"));
    ShowWindow(stalled.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(stalled.Stall());

    // The thread is held until AppActivate has come back: a call that waited
    // on it would only return once the stall's own limit had freed it.
    EXPECT_NO_THROW(desktop->AppActivate(UniqueTitle("activate stalled")));
    EXPECT_TRUE(stalled.EndStall()) << "AppActivate returned only once the window's thread went on";
}

TEST(DesktopAppActivate, ActivatesAnotherProgramsWindow) {
    auto desktop = win32::MakeDesktop();
    auto processes = win32::MakeProcesses();
    TempFolder folder("activate");
    const std::string exe = CopySubstitute(folder.Path());
    const std::string package = folder.File("Other program.hfz");
    auto installer = processes->Shell(exe, "\"" + exe + "\" " + package, kNormalFocus);
    ProcessReaper reaper(static_cast<win32::Win32Process&>(*installer).NativeHandle());
    ASSERT_TRUE(WaitForLogEvent(folder.File("installer.log"), "window"));
    HWND window = FindWindowW(nullptr, win32::Widen("Installing  " + package).c_str());
    ASSERT_NE(window, nullptr);

    TestWindow mine(UniqueTitle("activate mine"));
    desktop->AppActivate(UniqueTitle("activate mine"));
    ASSERT_TRUE(BecomesForeground(mine.Handle()));

    desktop->AppActivate("Installing  " + package);
    ASSERT_TRUE(BecomesForeground(window));
    const ForegroundWindow fg = desktop->Foreground();
    EXPECT_TRUE(fg.exists);
    EXPECT_EQ(fg.processId, installer->Id());
    EXPECT_EQ(fg.title, "Installing  " + package);
}

}  // namespace
}  // namespace quelbrin::test
