#include <gtest/gtest.h>

#include <initializer_list>
#include <set>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using fake::ProgramEnded;

// A folder of the fake file system holding these files.
void Files(Harness& h, const std::string& folder, std::initializer_list<const char*> names) {
    for (const char* name : names) h.fake.files.AddFile(folder, name);
}

TEST(StartUp, ListsTheProgramFolderSortedAndSelectsTheFirst) {
    Harness h;
    Files(h, "C:\\Quelbrin", {"zeta.hfz", "Alpha.HFZ", "beta.hfz", "notes.txt"});
    h.Start();
    EXPECT_EQ(h.Window().txPath.Text(), "C:\\Quelbrin");
    EXPECT_EQ(h.Status2(), "3 .hfz files");
    EXPECT_EQ(h.Status1(), "Alpha.HFZ");
    auto& list = h.Window().fileList;
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(0), "Alpha.HFZ");
    EXPECT_EQ(list.List(1), "beta.hfz");
    EXPECT_EQ(list.List(2), "zeta.hfz");
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_TRUE(h.Window().shown);
}

TEST(StartUp, EmptyFolderGivesZeroAndNoSelection) {
    Harness h;
    h.Start();
    EXPECT_EQ(h.Window().txPath.Text(), "C:\\Quelbrin");
    EXPECT_EQ(h.Status2(), "0 .hfz files");
    EXPECT_EQ(h.Window().fileList.ListIndex(), -1);
    EXPECT_EQ(h.Status1(), "");
    EXPECT_TRUE(h.Window().status1.history.empty());
}

TEST(FolderListing, ListsOnlyOrdinaryFilesThatReallyEndInHfz) {
    Harness h;
    Files(h, "D:\\Fx", {"Fire.hfz", "old.hfzbak", "Fire.hfz.txt", ".hfz", "snow.Hfz"});
    h.fake.files.AddFile("D:\\Fx", "Secret.hfz", /*hidden=*/true);
    h.fake.files.AddFile("D:\\Fx", "Boot.hfz", false, /*system=*/true);
    h.fake.files.AddSubfolder("D:\\Fx", "Folder.hfz");
    h.Start();
    h.Window().txPath.SetText("D:\\Fx");
    auto& list = h.Window().fileList;
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), "Fire.hfz");
    EXPECT_EQ(list.List(1), "snow.Hfz");
    EXPECT_EQ(h.Status2(), "2 .hfz files");
}

TEST(FolderListing, InvalidPathThenRecovery) {
    Harness h;
    Files(h, "C:\\Quelbrin", {"a.hfz"});
    Files(h, "D:\\Fx", {"b.hfz", "c.hfz"});
    h.Start();
    h.Window().txPath.SetText("D:\\Missing");
    EXPECT_EQ(h.Status2(), "Invalid path");
    EXPECT_EQ(h.Window().txPath.Text(), "D:\\Missing");
    // The list keeps what it showed; Status1 is left alone.
    EXPECT_EQ(h.Window().fileList.FileName(), "a.hfz");
    EXPECT_EQ(h.Status1(), "a.hfz");

    h.Window().txPath.SetText("D:\\Fx");
    EXPECT_EQ(h.Status2(), "2 .hfz files");
    EXPECT_EQ(h.Status1(), "b.hfz");
}

TEST(FolderListing, EmptyFolderKeepsStatus1AndTrailingBackslashIsUsedAsTyped) {
    Harness h;
    Files(h, "C:\\Quelbrin", {"a.hfz"});
    h.fake.files.AddFolder("D:\\Empty");
    Files(h, "D:\\Fx\\", {"x.hfz"});
    h.Start();
    h.Window().txPath.SetText("D:\\Empty");
    EXPECT_EQ(h.Status2(), "0 .hfz files");
    EXPECT_EQ(h.Status1(), "a.hfz");
    EXPECT_EQ(h.Window().fileList.FileName(), "");

    h.Window().txPath.SetText("D:\\Fx\\");
    EXPECT_EQ(h.Status2(), "1 .hfz files");
    EXPECT_EQ(h.Status1(), "x.hfz");
}

TEST(FolderListing, CountsBeyondSixteenBits) {
    Harness h;
    h.fake.files.AddFolder("D:\\Many");
    for (int i = 0; i < 40000; ++i) h.fake.files.AddFile("D:\\Many", "p" + std::to_string(100000 + i) + ".hfz");
    h.Start();
    h.Window().txPath.SetText("D:\\Many");
    EXPECT_EQ(h.Status2(), "40000 .hfz files");
    EXPECT_EQ(h.Window().fileList.List(39999), "p139999.hfz");
}

TEST(FileList, ClickShowsTheSelectedName) {
    Harness h;
    Files(h, "C:\\Quelbrin", {"a.hfz", "b.hfz"});
    h.Start();
    h.Window().fileList.SetListIndex(1);
    EXPECT_EQ(h.Status1(), "b.hfz");
}

// While busy the focus rests on "Cancel / Exit": it moves there before the
// others are disabled, and back only once they are enabled again.
TEST(BusyState, TogglesExactlySixControlsInOrderAndNeverExit) {
    Harness h;
    h.Start();
    auto& log = h.Window().log;
    const std::set<std::string> six{"BtInst", "BtStart", "BtAbout", "BtBrowse", "TxPath", "FileList"};
    for (const bool busy : {true, false}) {
        log.clear();
        h.form->BusyState(busy);
        ASSERT_EQ(log.size(), 7u);
        EXPECT_EQ(busy ? log.front() : log.back(), busy ? "busy=1" : "busy=0");
        std::set<std::string> toggled;
        for (const std::string& change : log)
            if (change.ends_with(busy ? "enabled=0" : "enabled=1")) toggled.insert(change.substr(0, change.find(' ')));
        EXPECT_EQ(toggled, six);
    }
    EXPECT_TRUE(h.Window().btExit.Enabled());
}

TEST(Shutdown, ExitAndCloseBoxEndTheProgram) {
    Harness h;
    h.Start();
    EXPECT_THROW(h.form->BtExit_Click(), ProgramEnded);
    EXPECT_TRUE(h.fake.ui.ended);
    Harness h2;
    h2.Start();
    EXPECT_THROW(h2.form->Form_Unload(), ProgramEnded);
    EXPECT_TRUE(h2.fake.ui.ended);
}

TEST(FolderPicker, RequestAndAnswers) {
    Harness h;
    Files(h, "C:\\Quelbrin", {"a.hfz"});
    Files(h, "E:\\Picked", {"p.hfz", "q.hfz"});
    h.Start();

    h.form->BtBrowse_Click();  // cancelled
    ASSERT_EQ(h.fake.ui.browseRequests.size(), 1u);
    EXPECT_EQ(h.fake.ui.browseRequests[0].first,
              "Please select the folder that contains the .hfz files you wish to install.");
    EXPECT_EQ(h.fake.ui.browseRequests[0].second, 3u);
    EXPECT_EQ(h.Window().txPath.Text(), "C:\\Quelbrin");
    EXPECT_EQ(h.Status2(), "1 .hfz files");

    h.fake.ui.browseAnswer = "E:\\Picked";
    h.form->BtBrowse_Click();
    EXPECT_EQ(h.Window().txPath.Text(), "E:\\Picked");
    EXPECT_EQ(h.Status2(), "2 .hfz files");
    EXPECT_EQ(h.Status1(), "p.hfz");
}

}  // namespace
}  // namespace quelbrin::test
