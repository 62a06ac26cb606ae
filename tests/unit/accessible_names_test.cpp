// What a screen reader gets from the main window: names for the controls no
// caption names, and the status lines read out as they change.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "main_window/main_form_layout.h"
#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using namespace layout;

// A text box or a list has no caption to be read out: each needs a name of
// its own, none empty or the same as another's; the labels are the live regions.
TEST(AccessibleNames, FolderBoxAndFileListAreNamed) {
    std::set<std::string> names;
    for (const ControlSpec& control : kMainControls) {
        SCOPED_TRACE(control.id);
        const bool captionless = control.kind == Kind::TextBox || control.kind == Kind::FileList;
        const auto& named = kMainWindow.accessibleNames;
        const auto name = std::find_if(named.begin(), named.end(), [&](auto& n) { return n.id == control.id; });
        EXPECT_EQ(name != named.end(), captionless);
        if (name != named.end()) { EXPECT_TRUE(names.insert(name->name).second && *name->name) << name->name; }
        const auto& live = kMainWindow.liveRegions;
        EXPECT_EQ(std::find(live.begin(), live.end(), control.id) != live.end(), control.kind == Kind::Label);
    }
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
