// What a batch shows on the taskbar button, in order, and the flash at its end.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using Calls = std::vector<std::string>;

const Calls& TaskbarCalls(InstallHarness& h) { return h.Window().taskbar.calls; }
std::string LastTaskbarCall(InstallHarness& h) { return TaskbarCalls(h).empty() ? "(none)" : TaskbarCalls(h).back(); }

TEST(TaskbarProgress, FinishedBatchCountsTheFilesDoneThenClears) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    // The button already shows the file as done while its installer starts.
    Calls atLaunch;
    h.fake.desktop.onShell = [&] { atLaunch.push_back(LastTaskbarCall(h)); };
    h.form->BtStart_Click();
    EXPECT_EQ(atLaunch, (Calls{"progress 0/3", "progress 1/3", "progress 2/3"}));
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(TaskbarProgress, ErrorStateStaysUntilTheNextCommandStarts) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    h.fake.desktop.frontBackToProgram = true;
    h.fake.desktop.failingLaunches = {2};
    h.form->BtStart_Click();
    ASSERT_EQ(h.Status2(), "Error: The system cannot find the file specified.");

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

// How a command ends, and where the user looks then.
struct Scenario {
    const char* what;
    int files;
    bool single = false;         // Install Selected File rather than a batch
    int failingLaunch = 0;       // this launch fails (1 = the first)
    bool backToQuelbrin = false; // the closing window gives the front back to Quelbrin
    bool userTurnsAway = false;  // after the last keys, the user turns to another program
    bool buttonLate = false;     // the shell's button comes only during the batch
    bool comFails = false;       // the taskbar's interface can't be made
    Calls expected;
};

const Scenario kScenarios[] = {
    {"finished, Quelbrin in front", 3, false, 0, true, false, false, false,
     {"clear", "progress 0/3", "progress 1/3", "progress 2/3", "clear"}},
    {"finished, Windows gave the front elsewhere", 2, false, 0, false, false, false, false,
     {"clear", "progress 0/2", "progress 1/2", "clear", "flash"}},
    {"finished, the user at another program", 2, false, 0, true, true, false, false,
     {"clear", "progress 0/2", "progress 1/2", "clear", "flash"}},
    {"stopped, Quelbrin in front", 2, false, 2, true, false, false, false,
     {"clear", "progress 0/2", "progress 1/2", "error"}},
    {"stopped, the user at another program", 2, false, 2, true, true, false, false,
     {"clear", "progress 0/2", "progress 1/2", "error", "flash"}},
    {"one file, the user at another program", 1, true, 0, false, true, false, false, {"clear"}},
    {"nothing to install", 0, false, 0, false, false, false, false, {"clear"}},
    {"the button made during the batch", 2, false, 0, true, false, true, false,
     {"progress 0/2", "progress 1/2", "clear"}},
    {"no taskbar interface", 2, false, 0, false, false, false, true, {"flash"}},
};

TEST(TaskbarProgress, BatchEndFlashesOnlyWhenQuelbrinIsNotInFront) {
    for (const Scenario& s : kScenarios) {
        SCOPED_TRACE(s.what);
        std::vector<std::string> names;
        for (int i = 0; i < s.files; ++i) names.push_back(std::string(1, static_cast<char>('a' + i)) + ".hfz");
        InstallHarness h(names);
        fake::FakeDesktop& desktop = h.fake.desktop;
        desktop.frontBackToProgram = s.backToQuelbrin;
        if (s.failingLaunch) desktop.failingLaunches = {s.failingLaunch};
        h.Window().taskbar.created = !s.buttonLate;
        h.Window().taskbar.comFails = s.comFails;
        const std::size_t lastKeysAt = static_cast<std::size_t>(s.failingLaunch ? s.failingLaunch - 1 : s.files);
        if (s.userTurnsAway)
            desktop.afterKey = [&](const std::string& key) {
                if (key != "{ENTER}" || desktop.launches.size() != lastKeysAt) return;
                desktop.SetForeground(desktop.OpenWindow("Inbox - Mail", 777));
                desktop.afterKey = nullptr;
            };
        if (s.single) h.form->BtInst_Click();
        else h.form->BtStart_Click();
        EXPECT_EQ(TaskbarCalls(h), s.expected);
        EXPECT_EQ(h.Status2().rfind("Error", 0) == 0, s.failingLaunch != 0) << h.Status2();
    }
}

}  // namespace
}  // namespace quelbrin::test
