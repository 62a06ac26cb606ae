// The file list's context menu: "Install This File" and "Install From Here to the End".
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

constexpr const char* kFromHere = "Install From Here to the End";

TEST(FileMenu, FromHereToTheEndRunsTheRestWithACountdownOfTheRun) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz", "d.hfz", "e.hfz"});
    EXPECT_EQ(h.ChooseFromMenu(2, kFromHere), "c.hfz");
    EXPECT_EQ(h.Window().menusShown.size(), 1u);

    ASSERT_EQ(h.fake.ui.messageBoxes.size(), 1u);
    EXPECT_EQ(h.fake.ui.messageBoxes[0].text, "Do not close any of the installation windows!");
    EXPECT_EQ(h.Launched(), (std::vector<std::string>{CommandFor("c.hfz"), CommandFor("d.hfz"), CommandFor("e.hfz")}));
    EXPECT_EQ(h.Countdowns(), (std::vector<std::string>{"2 .hfz files remaining of 3 total",
                                                       "1 .hfz files remaining of 3 total",
                                                       "0 .hfz files remaining of 3 total"}));
    // The last file of the list is the last of the run: no activation for it.
    EXPECT_EQ(h.fake.desktop.activations, (std::vector<std::string>{Title("c.hfz"), Title("d.hfz")}));
    EXPECT_EQ(h.SendsTo(Title("e.hfz")), 1);
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Status1(), "e.hfz installed");
    EXPECT_EQ(h.Window().busyCalls, (std::vector<bool>{true, false}));
    EXPECT_TRUE(h.Window().fileList.Enabled());

    // From the last file: a run of one.
    InstallHarness last({"a.hfz", "b.hfz"});
    last.ChooseFromMenu(1, kFromHere);
    EXPECT_EQ(last.Launched(), std::vector<std::string>{CommandFor("b.hfz")});
    EXPECT_EQ(last.Countdowns(), std::vector<std::string>{"0 .hfz files remaining of 1 total"});
    EXPECT_TRUE(last.fake.desktop.activations.empty());
}

TEST(FileMenu, ThisFileIsInstallSelectedFileForTheEntryUnderThePointer) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    EXPECT_EQ(h.ChooseFromMenu(1, "Install This File"), "b.hfz");
    EXPECT_EQ(h.Launched(), std::vector<std::string>{CommandFor("b.hfz")});
    EXPECT_TRUE(h.fake.ui.messageBoxes.empty());
    EXPECT_EQ(h.Window().status2.history.end()[-2], "Installing selected file...");
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Status1(), "b.hfz installed");

    // Closed without a choice: the entry stays selected, nothing starts.
    InstallHarness closed({"a.hfz", "b.hfz"});
    EXPECT_EQ(closed.ChooseFromMenu(1, ""), "b.hfz");
    EXPECT_EQ(closed.Window().fileList.ListIndex(), 1);
    EXPECT_EQ(closed.Status1(), "b.hfz");
    EXPECT_TRUE(closed.fake.desktop.launches.empty());
    EXPECT_EQ(closed.Status2(), "2 .hfz files");
}

TEST(FileMenu, NoneOverEmptySpaceOrWhileBusy) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.Window().onFileMenu = [] { return 1; };  // no menu may show, whatever it would answer
    h.form->FileList_ContextMenu(-1);
    h.form->FileList_ContextMenu(2);
    EXPECT_TRUE(h.Window().menusShown.empty());
    EXPECT_EQ(h.Window().fileList.ListIndex(), 0);

    // Asked for during a batch (say Shift+F10 while a pause pumps events).
    h.fake.ui.atDoEvents.emplace(100, [&] { h.form->FileList_ContextMenu(1); });
    h.form->BtStart_Click();
    EXPECT_TRUE(h.Window().menusShown.empty());
    EXPECT_EQ(h.Launched(), (std::vector<std::string>{CommandFor("a.hfz"), CommandFor("b.hfz")}));
    EXPECT_EQ(h.fake.ui.messageBoxes.size(), 1u);

    InstallHarness empty({});
    empty.form->FileList_ContextMenu(0);
    EXPECT_TRUE(empty.Window().menusShown.empty());
}

// The menu is a modal loop: an installer that ends while it is open has its
// exit code in the report copied from it.
TEST(FileMenu, CopyReportReadsTheExitCodesThatCameWhileTheMenuWasOpen) {
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript = {.runsOnMs = 3000, .exitCode = 5};
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.RunningInstallers(), 1) << "counted as done while it runs on";
    h.Window().menuOpenMs = 5000;
    h.ChooseFromMenu(0, "Copy Report");
    EXPECT_NE(h.fake.ui.clipboard.find("a.hfz\tinstalled (exit code 5)"), std::string::npos) << h.fake.ui.clipboard;
}

TEST(FileMenu, FromHereRefusesAnInvalidPathLikeInstallAllFiles) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.Window().txPath.SetText("Q:\\gone");
    ASSERT_EQ(h.Status2(), "Invalid path");
    h.ChooseFromMenu(1, kFromHere);
    EXPECT_TRUE(h.fake.desktop.launches.empty());
    EXPECT_TRUE(h.fake.ui.messageBoxes.empty());
    EXPECT_EQ(h.Status2(), "Invalid path");
    EXPECT_TRUE(h.Window().btStart.Enabled());
}

}  // namespace
}  // namespace quelbrin::test
