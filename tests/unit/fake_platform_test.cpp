// The fake stands in for Windows in every host test: where its behaviour is
// not obvious, check that it acts as the platform does.
#include <gtest/gtest.h>

#include "main_window/hfz_listing.h"
#include "tests/fake/fake_platform.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::fake {
namespace {

TEST(FakeDesktop, StartedInstallerTitlesItsWindowFromTheRestOfItsCommandLine) {
    FakeDesktop d;
    auto plain = d.Shell("C:\\I.exe", "C:\\I.exe D:\\My Fx\\a b.hfz", 1);
    EXPECT_NE(d.WindowTitled("Installing  D:\\My Fx\\a b.hfz"), nullptr);
    auto quoted = d.Shell("C:\\P F\\I.exe", "\"C:\\P F\\I.exe\" D:\\x.hfz", 1);
    EXPECT_NE(d.WindowTitled("Installing  D:\\x.hfz"), nullptr);
    // Unquoted blanks split the program path: the installer gets the wrong package.
    auto split = d.Shell("C:\\P F\\I.exe", "C:\\P F\\I.exe D:\\y.hfz", 1);
    EXPECT_NE(d.WindowTitled("Installing  F\\I.exe D:\\y.hfz"), nullptr);
    EXPECT_EQ(d.RunningInstallers(), 3);
    EXPECT_NE(plain->Id(), quoted->Id());
}

// Windows gives the front to the closing window's owner, else to a window
// of its choosing: the product's tests must not count on getting it back.
TEST(FakeDesktop, ClosingTheForegroundWindowGivesTheFocusToItsOwnerElseToAnotherProgram) {
    FakeDesktop d;
    const int own = d.OpenWindow("Quelbrin", d.ownProcessId), mail = d.OpenWindow("Inbox - Mail", 800);
    const int box = d.OpenWindow("Box", 900, {}, d.OpenWindow("Notepad", 900));
    d.SetForeground(box);
    d.CloseWindow(box);
    EXPECT_EQ(d.Foreground().title, "Notepad");
    d.CloseWindow(d.ForegroundId());
    EXPECT_EQ(d.ForegroundId(), mail);
    d.frontBackToProgram = true;
    d.CloseWindow(mail);
    EXPECT_TRUE(d.InFrontOf(own));
    d.SetForeground(d.OpenWindow("Quelbrin's tooltip", d.ownProcessId));
    EXPECT_FALSE(d.InFrontOf(own)) << "a window of the process that the main window does not own";
}

TEST(FakeDesktop, ProbeAndActivationShareOneTitleRuleAndOnlyTheFallbackSkipsHiddenWindows) {
    FakeDesktop d;
    d.OpenWindow("Installing  C:\\Fx\\a.hfz - step 2", 5);
    EXPECT_FALSE(d.FindWindow("Installing  C:\\Fx\\a.hfz"));
    EXPECT_NO_THROW(d.AppActivate("installing  c:\\fx\\A.hfz"));  // the prefix, letter case aside
    EXPECT_EQ(d.Foreground().processId, 5u);
    EXPECT_THROW(d.AppActivate("Installing  C:\\Fx\\b.hfz"), ErrorInfo);
    d.OpenWindow("INSTALLING  c:\\fx\\B.HFZ", 6);
    EXPECT_TRUE(d.FindWindow("Installing  C:\\Fx\\b.hfz"));
    EXPECT_NO_THROW(d.AppActivate("Installing  C:\\Fx\\b.hfz"));
    EXPECT_EQ(d.Foreground().processId, 6u);

    d.OpenWindow("Hidden one", 7, {}, 0, /*visible=*/false);
    EXPECT_TRUE(d.FindWindow("hidden ONE"));
    EXPECT_NO_THROW(d.AppActivate("Hidden one"));  // the exact title finds hidden windows too
    EXPECT_THROW(d.AppActivate("Hidden"), ErrorInfo);  // the prefix fallback does not
}

TEST(FakeDesktop, InstallerNeedsWholePassesInItsForegroundKeyByKey) {
    FakeDesktop d;
    d.defaultScript.passesNeeded = 2;
    auto p = d.Shell("I", "I C:\\a.hfz", 1);
    EXPECT_EQ(d.Foreground().title, "Installing  C:\\a.hfz");
    EXPECT_TRUE(d.SendKeys("{ENTER}", true, {}));  // not a pass
    EXPECT_TRUE(d.SendKeys("{TAB}{ENTER}", true, {}));
    EXPECT_FALSE(p->HasExited());
    // A gate that lets one key through holds the Enter back: no pass.
    int allowed = 1;
    EXPECT_FALSE(d.SendKeys("{TAB}{ENTER}", true, [&] { return allowed-- > 0; }));
    EXPECT_FALSE(p->HasExited());
    EXPECT_TRUE(d.SendKeys("{TAB}{ENTER}", true, {}));
    EXPECT_TRUE(p->HasExited());
    EXPECT_EQ(d.WindowTitled("Installing  C:\\a.hfz"), nullptr);
    d.refuseInput = true;
    EXPECT_FALSE(d.SendKeys("{TAB}{ENTER}", true, {}));
}

TEST(FakeDesktop, DelayedWindowComesUpAtItsTime) {
    FakeDesktop d;
    d.defaultScript.windowDelayMs = 300;
    auto p = d.Shell("I", "I C:\\a.hfz", 1);
    EXPECT_EQ(d.NextEventAt(), 300);
    d.AdvanceTo(299);
    EXPECT_FALSE(d.FindWindow("Installing  C:\\a.hfz"));
    d.AdvanceTo(300);
    EXPECT_TRUE(d.FindWindow("Installing  C:\\a.hfz"));
    EXPECT_FALSE(p->HasExited());
}

// A disabled window takes no keys, and an installer's own box is what its
// root owner activated last.
TEST(FakeDesktop, AnInstallersModalBoxDisablesItsWindowUntilEnterClosesIt) {
    FakeDesktop d;
    d.defaultScript = {.hiddenOwner = true, .boxOnFirstPass = true};
    auto p = d.Shell("I", "I C:\\a.hfz", 1);
    const ForegroundWindow shown = d.Foreground();
    ASSERT_EQ(shown.ownerTitles, std::vector<std::string>{""});  // the hidden owner
    EXPECT_TRUE(d.SendKeys("{TAB}{ENTER}", true, {}));
    EXPECT_EQ(d.Foreground().title, "Installer");
    EXPECT_EQ(d.Foreground().ownerTitles.front(), "Installing  C:\\a.hfz");
    d.AppActivate("Installing  C:\\a.hfz");
    EXPECT_EQ(d.Foreground().title, "Installer") << "activating the window gives the box the activation";
    EXPECT_TRUE(d.SendKeys("{ENTER}", true, {}));
    EXPECT_EQ(d.Foreground().title, "Installing  C:\\a.hfz");
    EXPECT_TRUE(d.SendKeys("{TAB}{ENTER}", true, {}));
    EXPECT_TRUE(p->HasExited());
}

TEST(FakeFileSystem, FindsPathsWithoutRegardToLetterCaseAndGivesNamesAsStored) {
    FakeFileSystem fs;
    fs.AddFile("C:\\Effects", "Fire.hfz");
    ASSERT_EQ(fs.ListFolder("c:\\EFFECTS").size(), 1u);
    EXPECT_EQ(fs.Dir("C:\\effects\\FIRE.HFZ"), "Fire.hfz");
    EXPECT_THROW(fs.ListFolder("C:\\Effect"), ErrorInfo);
}

// Lists D:\a, its x.hfz selected.
void ListD(FakeFileSystem& fs, FakeFileList& list) {
    fs.AddFile("D:\\a", "x.hfz");
    list.SetFileName("D:\\a");
    list.SetListIndex(0);
}

TEST(FakeFileList, FailedListingKeepsTheEntriesAndEmptyTextChangesNothing) {
    FakeFileSystem fs;
    ControlLog log;
    FakeFileList list(fs, log, HasHfzExtension);
    ListD(fs, list);
    EXPECT_THROW(list.SetFileName("D:\\missing"), ErrorInfo);
    EXPECT_EQ(list.FileName(), "x.hfz");
    list.SetFileName("");
    EXPECT_EQ(list.ListCount(), 1);
    EXPECT_EQ(list.FileName(), "x.hfz");
}

// The form refreshes right after each listing: that read would only repeat
// the one just made. No folder time decides it (FAT roots have none, FAT
// keeps 2 s), so every later Refresh reads again.
TEST(FakeFileList, OnlyTheRefreshRightAfterAListingSkipsReading) {
    quelbrin::test::ReliabilityCase("File list", "a file added while the folder's last-write time stays the same (FAT root: none; FAT: 2 s)",
                                    "a Refresh after the one that follows a listing reads the folder again and shows the new file, the selection kept by name; only the Refresh right after a listing skips its read");
    FakeFileSystem fs;
    ControlLog log;
    FakeFileList list(fs, log, HasHfzExtension);
    ListD(fs, list);
    ASSERT_EQ(fs.listings, 1);
    list.Refresh();
    EXPECT_EQ(fs.listings, 1) << "the Refresh right after SetFileName read the folder again";
    fs.AddFile("D:\\a", "w.hfz");
    list.Refresh();
    list.Refresh();
    EXPECT_EQ(fs.listings, 3);
    EXPECT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.FileName(), "x.hfz") << "the selection follows the name";
    EXPECT_EQ(list.ListIndex(), 1);
}

}  // namespace
}  // namespace quelbrin::fake
