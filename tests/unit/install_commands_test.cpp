#include <gtest/gtest.h>

#include "installer/task_probe.h"
#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using fake::InstallerScript;
using fake::ProgramEnded;

// Whole pauses of pump calls: a few short looks for a closing window may
// come after a pass, never another pause.
void ExpectPauses(const InstallHarness& h, long pauses) {
    EXPECT_GE(h.fake.ui.doEventsCalls, pauses * kPumpCallsPerPause);
    EXPECT_LT(h.fake.ui.doEventsCalls, (pauses + 1) * kPumpCallsPerPause);
}

TEST(InstallSelected, OnePassThenReady) {
    InstallHarness h({"Fire.hfz", "Snow.hfz"});
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 1u);
    EXPECT_EQ(h.fake.desktop.launches[0].program, kInstaller);
    EXPECT_EQ(h.fake.desktop.launches[0].commandLine, CommandFor("Fire.hfz"));
    EXPECT_EQ(h.fake.desktop.activations, std::vector<std::string>{Title("Fire.hfz")});
    ASSERT_EQ(h.fake.desktop.sends.size(), 1u);
    EXPECT_EQ(h.fake.desktop.sends[0].keys, "{TAB}{ENTER}");
    EXPECT_EQ(h.fake.desktop.sends[0].foregroundTitle, Title("Fire.hfz"));
    ExpectPauses(h, 1);
    EXPECT_EQ(h.Status1(), "Fire.hfz installed");
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Window().status2.history.end()[-2], "Installing selected file...");
    EXPECT_TRUE(h.Window().btInst.Enabled());
    EXPECT_TRUE(h.Window().fileList.Enabled());
    EXPECT_EQ(h.fake.desktop.RunningInstallers(), 0);
}

TEST(InstallSelected, ThreePassesEachActivatedFirst) {
    InstallHarness h({"Fire.hfz"});
    h.fake.desktop.defaultScript.passesNeeded = 3;
    h.form->BtInst_Click();
    EXPECT_EQ(h.fake.desktop.activations.size(), 3u);
    EXPECT_EQ(h.SendsTo(Title("Fire.hfz")), 3);
    ExpectPauses(h, 3);
    EXPECT_EQ(h.Status1(), "Fire.hfz installed");
}

TEST(InstallSelected, DoubleClickRunsTheSameCommand) {
    InstallHarness h({"Fire.hfz", "Snow.hfz"});
    h.Window().fileList.SetListIndex(1);
    h.form->FileList_DblClick();
    EXPECT_EQ(h.Launched(), std::vector<std::string>{CommandFor("Snow.hfz")});
    EXPECT_EQ(h.Status1(), "Snow.hfz installed");
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(InstallSelected, NothingSelectedOrInvalidPathStartsNothing) {
    // Nothing listed; "Invalid path" with no selection left; "Invalid path"
    // while a file is still selected: neither command starts anything or warns.
    const struct {
        std::vector<std::string> files;
        const char* folder;
        const char* status2;
    } cases[] = {{{}, nullptr, "Ready"}, {{}, "Q:\\gone", "Ready"}, {{"Fire.hfz"}, "Q:\\gone", "Invalid path"}};
    for (const auto& c : cases) {
        InstallHarness h(c.files);
        if (c.folder) h.Window().txPath.SetText(c.folder);
        ASSERT_EQ(h.Window().fileList.FileName(), c.files.empty() ? "" : c.files[0]);
        h.form->BtInst_Click();
        h.form->BtStart_Click();
        EXPECT_TRUE(h.fake.desktop.launches.empty() && h.fake.ui.messageBoxes.empty()) << c.status2;
        EXPECT_EQ(h.Status2(), c.status2);
        EXPECT_TRUE(h.Window().btStart.Enabled());
    }
}

TEST(InstallSelected, FailingStartShowsThePlatformsDescription) {
    InstallHarness h({"Fire.hfz"});
    h.form->HfzInstPath = "";
    h.fake.desktop.failingLaunches = {1};
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status2(), "Error: The system cannot find the file specified.");
    EXPECT_EQ(h.Status1(), "Fire.hfz");
    EXPECT_TRUE(h.Window().btInst.Enabled());
    EXPECT_EQ(h.fake.system.awakeHolds, 0);
    EXPECT_EQ(h.fake.system.installingHolds, 0);
}

TEST(InstallAll, ThreeFilesInOrderWithCountdownAndActivation) {
    InstallHarness h({"c.hfz", "a.hfz", "b.hfz"});
    h.fake.desktop.scripts = {InstallerScript{1}, InstallerScript{3}, InstallerScript{1}};
    h.form->BtStart_Click();

    ASSERT_EQ(h.fake.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(h.fake.ui.messageBoxes[0].text, "Do not close any of the installation windows!");
    EXPECT_EQ(h.fake.ui.messageBoxes[0].title, "Quelbrin");
    EXPECT_EQ(h.fake.ui.messageBoxes[0].style, 64);

    EXPECT_EQ(h.Launched(), (std::vector<std::string>{CommandFor("a.hfz"), CommandFor("b.hfz"), CommandFor("c.hfz")}));
    EXPECT_EQ(h.fake.desktop.maxInstallersAtOnce, 1);

    // Activation before each send for the first two files only.
    const std::vector<std::string> activations{Title("a.hfz"), Title("b.hfz"), Title("b.hfz"), Title("b.hfz")};
    EXPECT_EQ(h.fake.desktop.activations, activations);
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 1);
    EXPECT_EQ(h.SendsTo(Title("b.hfz")), 3);
    EXPECT_EQ(h.SendsTo(Title("c.hfz")), 1);
    EXPECT_EQ(h.fake.desktop.sends.size(), 5u);
    ExpectPauses(h, 5);

    EXPECT_EQ(h.Countdowns(), (std::vector<std::string>{"2 .hfz files remaining of 3 total",
                                                        "1 .hfz files remaining of 3 total",
                                                        "0 .hfz files remaining of 3 total"}));
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Status1(), "c.hfz installed");
    EXPECT_TRUE(h.Status1Showed("a.hfz installed") && h.Status1Showed("b.hfz installed"));
}

TEST(InstallAll, OneFileIsTheLastAndIsNotActivated) {
    InstallHarness h({"only.hfz"});
    h.form->BtStart_Click();
    EXPECT_TRUE(h.fake.desktop.activations.empty());
    EXPECT_EQ(h.SendsTo(Title("only.hfz")), 1);
    EXPECT_EQ(h.Window().status2.history.end()[-2], "0 .hfz files remaining of 1 total");
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(InstallAll, FailureToStartTheSecondStopsTheBatch) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    h.fake.desktop.failingLaunches = {2};
    h.form->BtStart_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.Status2(), "Error: The system cannot find the file specified.");
    EXPECT_EQ(h.Status1(), "b.hfz");
    EXPECT_TRUE(h.Status1Showed("a.hfz installed"));
    EXPECT_TRUE(h.Window().btStart.Enabled());
    EXPECT_TRUE(h.Window().txPath.Enabled());
}

TEST(InstallAll, ExitDuringAPauseEndsAtOnceAndLeavesTheInstallerRunning) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.defaultScript.ignoresKeys = true;
    // Exit is pressed in the fourth pause, after three unanswered passes.
    long exitAt = 0;
    h.fake.ui.onDoEvents = [&](long call) {
        if (h.fake.desktop.sends.size() == 3 && ++exitAt == 7) {
            exitAt = call;
            h.form->BtExit_Click();
        }
    };
    EXPECT_THROW(h.form->BtStart_Click(), ProgramEnded);
    EXPECT_TRUE(h.fake.ui.ended);
    EXPECT_EQ(h.fake.desktop.launches.size(), 1u);
    EXPECT_EQ(h.fake.desktop.RunningInstallers(), 1);
    EXPECT_EQ(h.fake.desktop.sends.size(), 3u);
    EXPECT_EQ(h.fake.ui.doEventsCalls, exitAt);  // nothing ran after the exit
    EXPECT_EQ(h.Status2(), "1 .hfz files remaining of 2 total");
}

TEST(InstallAll, CloseBoxDuringAPauseEndsToo) {
    InstallHarness h({"a.hfz"});
    h.fake.ui.atDoEvents.emplace(100, [&] { h.form->Form_Unload(); });
    EXPECT_THROW(h.form->BtInst_Click(), ProgramEnded);
    EXPECT_TRUE(h.fake.desktop.sends.empty());
    EXPECT_EQ(h.fake.desktop.RunningInstallers(), 1);
}

// The installer's window comes up late: the loop waits for it instead of
// counting the file as installed and starting the next installer.
TEST(StartupRace, SlowWindowIsWaitedForAndNoTwoInstallersRunAtOnce) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.defaultScript.windowDelayMs = 3000;
    h.form->BtStart_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.fake.desktop.maxInstallersAtOnce, 1);
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 1);
    EXPECT_EQ(h.SendsTo(Title("b.hfz")), 1);
    // Each file's keys went only after its window came up, the floor after that.
    EXPECT_GE(h.fake.desktop.sends[0].atMs, 3000 + kFloorMs);
    EXPECT_GE(h.fake.desktop.sends[1].atMs, h.fake.desktop.launches[1].atMs + 3000 + kFloorMs);
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(StartupRace, InstallerWithoutWindowCountsAsDoneOnceItHasExited) {
    InstallHarness h({"a.hfz", "b.hfz"});
    // The first runs a while, then exits without a window.
    h.fake.desktop.scripts = {InstallerScript{.windowDelayMs = 2000, .showsWindow = false}, InstallerScript{}};
    h.form->BtStart_Click();
    EXPECT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.fake.desktop.maxInstallersAtOnce, 1);
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 0);
    EXPECT_EQ(h.SendsTo(Title("b.hfz")), 1);
    EXPECT_TRUE(h.Status1Showed("a.hfz installed"));
}

TEST(ClosingRace, AWindowClosingJustAfterTheKeysCostsNoExtraPause) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.defaultScript.closeDelayMs = 30;
    h.form->BtStart_Click();
    EXPECT_EQ(h.fake.desktop.sends.size(), 2u);
    EXPECT_EQ(h.fake.desktop.activations.size(), 1u);
    ExpectPauses(h, 2);
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(ClosingRace, WindowGoneBeforeActivationMeansInstalled) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.closeAfterNextProbe = true;  // closes right after the wait's probe
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Status1(), "a.hfz installed");
}

TEST(ClosingRace, ActivationFailureWithTheWindowStillThereIsAnError) {
    InstallHarness h({"a.hfz"});
    h.fake.desktop.failActivation = true;
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status2(), "Error: Invalid window handle.");
    EXPECT_TRUE(h.fake.desktop.sends.empty());
    EXPECT_TRUE(h.Window().btInst.Enabled());
}

// Keys go only where the installer is.
TEST(WrongWindow, NoKeysForAnotherProgramInTheForeground) {
    InstallHarness h({"last.hfz"});
    const int notepad = OpenNotepad(h.fake.desktop);
    // The user switches to Notepad during the first pass and back during the third.
    h.fake.ui.atTime.emplace(100, [&] { h.fake.desktop.SetForeground(notepad); });
    h.fake.ui.atTime.emplace(2 * kFloorMs + 100, [&] {
        const auto* w = h.fake.desktop.WindowTitled(Title("last.hfz"));
        ASSERT_NE(w, nullptr);
        h.fake.desktop.SetForeground(w->id);
    });
    h.form->BtStart_Click();  // the only file is the last: never activated
    EXPECT_TRUE(h.fake.desktop.activations.empty());
    EXPECT_EQ(h.SendsTo("Untitled"), 0);
    EXPECT_EQ(h.SendsTo(Title("last.hfz")), 1);
    ExpectPauses(h, 3);
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(WrongWindow, NoKeysIntoQuelbrinsOwnWindowWhenActivationDoesNotTake) {
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript.takesFocus = false;  // Quelbrin keeps the foreground
    h.fake.desktop.refuseActivation = true;
    h.fake.ui.atTime.emplace(2 * kFloorMs + 100, [&] { h.fake.desktop.refuseActivation = false; });
    h.form->BtInst_Click();  // an Enter into Quelbrin would press "Cancel / Exit"
    EXPECT_FALSE(h.fake.ui.ended);
    EXPECT_EQ(h.SendsTo("Quelbrin"), 0);
    // Three passes fall while activation is refused; the fourth takes and sends.
    EXPECT_EQ(h.fake.desktop.activations.size(), 4u);
    EXPECT_EQ(h.fake.desktop.sends.size(), 1u);
    EXPECT_EQ(h.Status1(), "a.hfz installed");
}

TEST(WrongWindow, RefusedInputIsRetriedOnTheNextPass) {
    InstallHarness h({"a.hfz"});
    h.fake.desktop.refuseInput = true;
    h.fake.ui.atTime.emplace(kFloorMs + 100, [&] { h.fake.desktop.refuseInput = false; });
    h.form->BtInst_Click();
    ExpectPauses(h, 2);
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(InstallerPath, BlanksAreQuotedAndTheProgramIsNamed) {
    InstallHarness h({"a.hfz"});
    h.fake.files.AddFile("C:\\Program Files\\Pinnacle", "InstallHFZ.exe");
    h.form->HfzInstPath = "C:\\Program Files\\Pinnacle\\InstallHFZ.exe";
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 1u);
    EXPECT_EQ(h.fake.desktop.launches[0].program, "C:\\Program Files\\Pinnacle\\InstallHFZ.exe");
    EXPECT_EQ(h.fake.desktop.launches[0].commandLine,
              "\"C:\\Program Files\\Pinnacle\\InstallHFZ.exe\" C:\\Quelbrin\\a.hfz");
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 1);  // the installer read its package right
}

TEST(WhileInstalling, TheComputerStaysAwakeAndOnlyOneQuelbrinInstalls) {
    InstallHarness h({"a.hfz"});
    int awakeDuringPause = -1, lockedDuringPause = -1;
    h.fake.ui.atDoEvents.emplace(5, [&] {
        awakeDuringPause = h.fake.system.awakeHolds;
        lockedDuringPause = h.fake.system.installingHolds;
    });
    h.form->BtInst_Click();
    EXPECT_EQ(awakeDuringPause, 1);
    EXPECT_EQ(lockedDuringPause, 1);
    EXPECT_EQ(h.fake.system.awakeHolds, 0);
    EXPECT_EQ(h.fake.system.installingHolds, 0);

    InstallHarness other({"a.hfz", "b.hfz"});
    other.fake.system.otherInstanceInstalling = true;
    other.form->BtStart_Click();
    EXPECT_TRUE(other.fake.desktop.launches.empty());
    EXPECT_TRUE(other.fake.ui.messageBoxes.empty());
    EXPECT_EQ(other.Status2().rfind("Error: another Quelbrin is installing", 0), 0u) << other.Status2();
    EXPECT_TRUE(other.Window().btStart.Enabled());
    other.form->BtInst_Click();
    EXPECT_TRUE(other.fake.desktop.launches.empty());
}

TEST(Probe, FailureIsReportedAndCountsAsFinished) {
    InstallHarness h({"a.hfz"});
    h.fake.desktop.failFindWindow = true;
    EXPECT_FALSE(IsTaskRunning(h.fake.platform, "Installing  X"));
    ASSERT_EQ(h.fake.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(h.fake.ui.messageBoxes[0].title, "Installing  X IsTaskRunning");
    EXPECT_EQ(h.fake.ui.messageBoxes[0].style, 16);
    EXPECT_EQ(h.fake.ui.messageBoxes[0].text,
              "Error #  1400 was generated by FindWindowW\r\nInvalid window handle.");
}

TEST(Probe, FailureDuringAnInstallIsReportedOnceAndEndsTheLoop) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.failFindWindow = true;
    h.form->BtInst_Click();
    EXPECT_EQ(h.fake.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(Probe, TitleMustMatchToTheBlank) {
    InstallHarness h({});
    h.fake.desktop.OpenWindow("Installing  C:\\Fx\\a.hfz", 7);
    EXPECT_TRUE(IsTaskRunning(h.fake.platform, "Installing  C:\\Fx\\a.hfz"));
    EXPECT_FALSE(IsTaskRunning(h.fake.platform, "Installing C:\\Fx\\a.hfz"));
    EXPECT_FALSE(IsTaskRunning(h.fake.platform, "Installing  C:\\Fx\\b.hfz"));
    EXPECT_TRUE(h.fake.ui.messageBoxes.empty());
}

}  // namespace
}  // namespace quelbrin::test
