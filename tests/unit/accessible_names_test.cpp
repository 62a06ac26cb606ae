// What a screen reader gets from the main window: names for the two controls
// no label names, and the status lines read out as they change.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

TEST(AccessibleNames, FolderBoxAndFileListAreNamed) {
    Harness h;
    h.Start();
    const std::map<std::string, std::string> expected{{"TxPath", "Folder with .hfz files"},
                                                      {"FileList", "Packages"}};
    EXPECT_EQ(h.Window().accessibleNames, expected);
}

TEST(AccessibleNames, StatusLinesAreReadOutOnEachChangeOnly) {
    InstallHarness h({"a.hfz", "b.hfz"});
    h.Window().liveRegionEvents.clear();
    h.form->BtStart_Click();
    // a.hfz was selected already: selecting it again changes nothing in Status1.
    const std::vector<std::string> expected{
        "Status2: 1 .hfz files remaining of 2 total", "Status1: a.hfz installed",
        "Status2: 0 .hfz files remaining of 2 total", "Status1: b.hfz", "Status1: b.hfz installed",
        "Status2: Ready"};
    EXPECT_EQ(h.Window().liveRegionEvents, expected);

    // The same text again is no news.
    h.Window().liveRegionEvents.clear();
    h.Window().status2.SetText("Ready");
    h.Window().txPath.SetText(h.Window().txPath.Text());  // re-lists: "2 .hfz files", then a.hfz
    EXPECT_EQ(h.Window().liveRegionEvents,
              (std::vector<std::string>{"Status2: 2 .hfz files", "Status1: a.hfz"}));
}

}  // namespace
}  // namespace quelbrin::test
