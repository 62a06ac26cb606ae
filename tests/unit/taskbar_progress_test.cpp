// What a batch shows on the taskbar button, in order, and the flash at its end.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using Calls = std::vector<std::string>;

const Calls& TaskbarCalls(InstallHarness& h) { return h.Window().taskbar.calls; }
std::string LastTaskbarCall(InstallHarness& h) {
    return TaskbarCalls(h).empty() ? "(none)" : TaskbarCalls(h).back();
}

TEST(TaskbarProgress, FinishedBatchCountsTheFilesDoneThenClears) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    // The button already shows the file as done while its installer starts.
    Calls atLaunch;
    h.fake.desktop.onShell = [&] { atLaunch.push_back(LastTaskbarCall(h)); };
    h.form->BtStart_Click();

    EXPECT_EQ(TaskbarCalls(h), (Calls{"clear", "progress 0/3", "progress 1/3", "progress 2/3", "clear"}))
        << "in front at the end: no flash";
    EXPECT_EQ(atLaunch, (Calls{"progress 0/3", "progress 1/3", "progress 2/3"}));
    EXPECT_EQ(h.Status2(), "Ready");

    // A batch with nothing to install shows no progress at all.
    InstallHarness empty({});
    empty.form->BtStart_Click();
    EXPECT_EQ(TaskbarCalls(empty), Calls{"clear"});
}

TEST(TaskbarProgress, ErrorStateStaysUntilTheNextCommandStarts) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    h.fake.desktop.failingLaunches = {2};
    h.form->BtStart_Click();
    ASSERT_EQ(h.Status2(), "Error: The system cannot find the file specified.");
    EXPECT_EQ(TaskbarCalls(h), (Calls{"clear", "progress 0/3", "progress 1/3", "error"}));

    // Choosing another file leaves it; the next install clears it before it starts anything.
    h.Window().fileList.SetListIndex(0);
    EXPECT_EQ(LastTaskbarCall(h), "error");
    std::string beforeLaunch;
    h.fake.desktop.onShell = [&] { beforeLaunch = LastTaskbarCall(h); };
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 3u);
    EXPECT_EQ(beforeLaunch, "clear");
    EXPECT_EQ(TaskbarCalls(h), (Calls{"clear", "progress 0/3", "progress 1/3", "error", "clear"}))
        << "one file is no batch: no progress, no flash";
}

// The user turns to another program after the last file's keys went out.
void TurnAwayAfterTheLastKeys(InstallHarness& h, std::size_t files) {
    h.fake.desktop.afterKey = [&h, files](const std::string& key) {
        if (key != "{ENTER}" || h.fake.desktop.launches.size() != files) return;
        h.fake.desktop.SetForeground(h.fake.desktop.OpenWindow("Inbox - Mail", 777));
        h.fake.desktop.afterKey = nullptr;
    };
}

TEST(TaskbarProgress, BatchEndFlashesOnlyWhenQuelbrinIsNotInFront) {
    InstallHarness away({"a.hfz", "b.hfz"});
    TurnAwayAfterTheLastKeys(away, 2);
    away.form->BtStart_Click();
    ASSERT_EQ(away.fake.desktop.Foreground().title, "Inbox - Mail");
    EXPECT_EQ(TaskbarCalls(away), (Calls{"clear", "progress 0/2", "progress 1/2", "clear", "flash"}));

    InstallHarness failedAway({"a.hfz", "b.hfz"});
    TurnAwayAfterTheLastKeys(failedAway, 1);
    failedAway.fake.desktop.failingLaunches = {2};
    failedAway.form->BtStart_Click();
    EXPECT_EQ(TaskbarCalls(failedAway), (Calls{"clear", "progress 0/2", "progress 1/2", "error", "flash"}));

    InstallHarness failedInFront({"a.hfz", "b.hfz"});
    failedInFront.fake.desktop.failingLaunches = {2};
    failedInFront.form->BtStart_Click();
    ASSERT_EQ(failedInFront.fake.desktop.Foreground().title, "Quelbrin");
    EXPECT_EQ(LastTaskbarCall(failedInFront), "error");

    // A single file never flashes, in front or not.
    InstallHarness single({"a.hfz"});
    TurnAwayAfterTheLastKeys(single, 1);
    single.form->BtInst_Click();
    ASSERT_EQ(single.fake.desktop.Foreground().title, "Inbox - Mail");
    EXPECT_EQ(TaskbarCalls(single), Calls{"clear"});
}

}  // namespace
}  // namespace quelbrin::test
