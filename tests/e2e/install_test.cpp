// "Install Selected File" with the substitute installer in InstallHFZ.exe's place.
#include "tests/e2e/e2e_fixture.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class InstallSelected : public E2eTest {
protected:
    // Waits until the install command is over; records how often more than
    // one installer ran at a time.
    ::testing::AssertionResult WaitForReady(std::chrono::milliseconds timeout) {
        std::wstring status;
        const bool ready = WaitUntil(
            [&] {
                const std::size_t running = app_->RunningChildren().size();
                if (running > mostAtOnce) mostAtOnce = running;
                status = Text(IdStatus2);
                return status == L"Ready" || status.rfind(L"Error: ", 0) == 0;
            },
            timeout);
        if (ready && status == L"Ready") return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "Status2 reads \"" << Utf8(status) << "\"";
    }
    std::size_t mostAtOnce = 0;
};

TEST_F(InstallSelected, StartsTheInstallerAndAnswersItsWindowInTheForeground) {
    const std::wstring log = PlaceInstaller({.passes = 2});
    const std::wstring packages = MakePackages(L"packages", {L"Fire.hfz", L"Snow.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus1, L"Fire.hfz", 5s));

    ASSERT_TRUE(app_->Click(IdBtInst));
    // Busy while the installer runs: every control but Cancel / Exit disabled.
    const int busy[] = {IdBtInst, IdBtStart, IdBtAbout, IdBtBrowse, IdTxPath, IdFileList};
    EXPECT_TRUE(WaitUntil([&] {
        for (int id : busy)
            if (app_->Enabled(id)) return false;
        return true;
    }, 10s)) << "the window never turned busy";
    EXPECT_TRUE(app_->Enabled(IdBtExit));
    ASSERT_TRUE(WaitForReady(60s));

    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz installed");
    for (int id : busy) EXPECT_TRUE(app_->Enabled(id)) << "control " << id << " stays disabled";
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    const InstallerRun& run = runs[0];
    EXPECT_EQ(run.commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\Fire.hfz"));
    EXPECT_EQ(run.windowTitle, Utf8(L"Installing  " + packages + L"\\Fire.hfz"));
    EXPECT_EQ(run.passes, 2);
    EXPECT_EQ(run.closeReason, "passes");
    EXPECT_TRUE(run.errors.empty()) << run.errors.front();
    ASSERT_GE(run.keys.size(), 4u);
    for (const LoggedKey& key : run.keys) {
        EXPECT_TRUE(key.foreground) << key.key << " arrived while the window was not in front";
        EXPECT_NE(key.key, "OTHER");
    }
    EXPECT_EQ(mostAtOnce, 1u);
    ExitAndExpectGone();
}

TEST_F(InstallSelected, ADoubleClickOnAFileInstallsThatFile) {
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::wstring packages = MakePackages(L"packages", {L"A.hfz", L"B.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus1, L"A.hfz", 5s));

    // The mouse, as messages: press, release, double-click, release on the second name.
    HWND list = GetDlgItem(app_->MainWindow(), IdFileList);
    ASSERT_NE(list, nullptr);
    DWORD_PTR itemHeight = 0;
    ASSERT_TRUE(SendMessageTimeoutW(list, LB_GETITEMHEIGHT, 0, 0, SMTO_ABORTIFHUNG, 3000, &itemHeight));
    const LPARAM at = MAKELPARAM(8, static_cast<int>(itemHeight) + static_cast<int>(itemHeight) / 2);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ASSERT_TRUE(PostMessageW(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at));

    ASSERT_TRUE(WaitUntil([&] { return !ReadInstallerLog(log).empty(); }, 20s)) << "no installer started";
    ASSERT_TRUE(WaitForReady(60s));
    EXPECT_EQ(Text(IdStatus1), L"B.hfz installed");
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\B.hfz"));
    ExitAndExpectGone();
}

TEST_F(InstallSelected, WaitsForASlowWindowAndNeverRunsTwoInstallers) {
    quelbrin::test::ReliabilityCase("Installer", "shows its window only after 3 s",
                                    "one start, the late window is found and answered in the foreground, never two installers at once");
    const std::wstring log = PlaceInstaller({.passes = 1, .delayMs = 3000});
    const std::wstring packages = MakePackages(L"packages", {L"Slow.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus1, L"Slow.hfz", 5s));

    ASSERT_TRUE(app_->Click(IdBtInst));
    ASSERT_TRUE(WaitForReady(60s));
    EXPECT_EQ(Text(IdStatus1), L"Slow.hfz installed");

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u) << "the installer was started more than once";
    const InstallerRun& run = runs[0];
    ASSERT_TRUE(run.windowShown.has_value());
    EXPECT_EQ(run.passes, 1) << "the slow window was not answered";
    EXPECT_EQ(run.closeReason, "passes");
    for (const LoggedKey& key : run.keys) EXPECT_TRUE(key.foreground) << key.key;
    EXPECT_EQ(mostAtOnce, 1u);
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
