// What a screen reader gets from the main window: names for the controls no
// caption names, and the status lines read out as they change.
#include <gtest/gtest.h>

#include <algorithm>

#include "main_window/main_form_layout.h"
#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using namespace layout;

// A text box or a list has no caption to be read out: each needs a name of
// its own, none the same as another's; the labels are the live regions.
TEST(AccessibleNames, FolderBoxAndFileListAreNamed) {
    std::vector<std::string> names;
    for (const ControlSpec& control : kMainControls) {
        SCOPED_TRACE(control.id);
        const auto named = std::find_if(kMainWindow.accessibleNames.begin(), kMainWindow.accessibleNames.end(),
                                        [&](const AccessibleName& n) { return n.id == control.id; });
        const bool captionless = control.kind == Kind::TextBox || control.kind == Kind::FileList;
        EXPECT_EQ(named != kMainWindow.accessibleNames.end(), captionless);
        if (named != kMainWindow.accessibleNames.end()) names.push_back(named->name);
        const bool live = std::find(kMainWindow.liveRegions.begin(), kMainWindow.liveRegions.end(), control.id) !=
                          kMainWindow.liveRegions.end();
        EXPECT_EQ(live, control.kind == Kind::Label);
    }
    EXPECT_EQ(std::count(names.begin(), names.end(), ""), 0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
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
}

}  // namespace
}  // namespace quelbrin::test
