// "Install Selected File" with the substitute installer in InstallHFZ.exe's place.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class InstallSelected : public E2eTest {
protected:
    // Lists the folder of `names` and presses "Install Selected File"; returns the log.
    std::wstring Install(const SubstituteConfig& config, const std::vector<std::wstring>& names) {
        const std::wstring log = StartListing(config, names);
        EXPECT_TRUE(app_->Click(IdBtInst));
        return log;
    }
};

TEST_F(InstallSelected, StartsTheInstallerAndAnswersItsWindowInTheForeground) {
    const std::wstring log = Install({.passes = 2}, {L"Fire.hfz", L"Snow.hfz"});
    // Busy while the installer runs: every control but Cancel / Exit disabled.
    const int busy[] = {IdBtInst, IdBtStart, IdBtAbout, IdBtBrowse, IdTxPath, IdFileList};
    EXPECT_TRUE(WaitUntil([&] {
        for (int id : busy)
            if (app_->Enabled(id)) return false;
        return true;
    }, 10s)) << "the window never turned busy";
    EXPECT_TRUE(app_->Enabled(IdBtExit));
    ASSERT_EQ(Status2UntilTheEnd(60s).back(), L"Ready");

    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz installed");
    for (int id : busy) EXPECT_TRUE(app_->Enabled(id)) << "control " << id << " stays disabled";
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    const InstallerRun& run = runs[0];
    EXPECT_EQ(run.commandLine, CommandLineFor(L"Fire.hfz"));
    EXPECT_EQ(run.windowTitle, Utf8(L"Installing  " + packages_ + L"\\Fire.hfz"));
    EXPECT_EQ(run.passes, 2);
    EXPECT_EQ(run.closeReason, "passes");
    EXPECT_TRUE(run.errors.empty()) << run.errors.front();
    ASSERT_GE(run.keys.size(), 4u);
    for (const LoggedKey& key : run.keys) {
        EXPECT_TRUE(key.foreground) << key.key << " arrived while the window was not in front";
        EXPECT_NE(key.key, "OTHER");
    }
    EXPECT_EQ(mostAtOnce_, 1u);
    ExitAndExpectGone();
}

TEST_F(InstallSelected, ADoubleClickOnAFileInstallsThatFile) {
    const std::wstring log = StartListing({.passes = 1}, {L"A.hfz", L"B.hfz"});
    ASSERT_FALSE(HasFailure());

    // The mouse, as messages: press, release, double-click, release on the second name.
    HWND list = GetDlgItem(app_->MainWindow(), IdFileList);
    ASSERT_NE(list, nullptr);
    const auto itemHeight = Ask(list, LB_GETITEMHEIGHT);
    ASSERT_TRUE(itemHeight.has_value());
    const LPARAM at = MAKELPARAM(8, static_cast<int>(*itemHeight) * 3 / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ASSERT_TRUE(PostMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at));

    ASSERT_TRUE(WaitForRun(log, 0, [](const InstallerRun&) { return true; })) << "no installer started";
    ASSERT_EQ(Status2UntilTheEnd(60s).back(), L"Ready");
    EXPECT_EQ(Text(IdStatus1), L"B.hfz installed");
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, CommandLineFor(L"B.hfz"));
    ExitAndExpectGone();
}

TEST_F(InstallSelected, WaitsForASlowWindowAndNeverRunsTwoInstallers) {
    quelbrin::test::ReliabilityCase("Installer", "shows its window only after 3 s",
                                    "one start, the late window is found and answered in the foreground, never two installers at once");
    const std::wstring log = Install({.passes = 1, .delayMs = 3000}, {L"Slow.hfz"});
    ASSERT_EQ(Status2UntilTheEnd(60s).back(), L"Ready");
    EXPECT_EQ(Text(IdStatus1), L"Slow.hfz installed");

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u) << "the installer was started more than once";
    const InstallerRun& run = runs[0];
    ASSERT_TRUE(run.windowShown.has_value());
    EXPECT_EQ(run.passes, 1) << "the slow window was not answered";
    EXPECT_EQ(run.closeReason, "passes");
    for (const LoggedKey& key : run.keys) EXPECT_TRUE(key.foreground) << key.key;
    EXPECT_EQ(mostAtOnce_, 1u);
    ExitAndExpectGone();
}

TEST_F(InstallSelected, AnInstallerThatIgnoresKeysRunsOnAfterCancelExit) {
    quelbrin::test::ReliabilityCase("Installer", "ignores the keys until Cancel / Exit is pressed",
                                    R"~(passes go on while Status2 reads "Installing selected file..."; Quelbrin ends within 10 s of Exit; the installer and its window stay)~");
    // The loop goes on: two passes of keys reach the window, which stays.
    const auto [log, packages] = StartAnInstallThatNeverEnds(4);
    ASSERT_FALSE(HasFailure());
    EXPECT_EQ(Text(IdStatus2), L"Installing selected file...");
    EXPECT_EQ(Text(IdStatus1), L"Stubborn.hfz");

    ExitAndExpectGone();

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].windowClosed.has_value()) << "the installer window closed";
    EXPECT_FALSE(runs[0].exited.has_value()) << "the installer ended with Quelbrin";
    EXPECT_EQ(app_->RunningChildren().size(), 1u) << "the installer is no longer running";
    EXPECT_TRUE(FindTopLevel(L"Installing  " + packages + L"\\Stubborn.hfz").has_value());
    // TearDown ends the installer.
}

}  // namespace
}  // namespace quelbrin::e2e
