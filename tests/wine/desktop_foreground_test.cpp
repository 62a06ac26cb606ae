#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

TEST(DesktopForeground, ReportsTheProcessAndTitleOfTheForegroundWindow) {
    auto desktop = win32::MakeDesktop();
    const std::string first = UniqueTitle("foreground \xC3\x9C" "berpr\xC3\xBC" "fung \xE2\x82\xAC");
    const std::string second = UniqueTitle("foreground second");
    TestWindow a(first);
    TestWindow b(second);

    desktop->AppActivate(first);
    ASSERT_TRUE(BecomesForeground(a.Handle()));
    ForegroundWindow fg = desktop->Foreground();
    EXPECT_TRUE(fg.exists);
    EXPECT_EQ(fg.processId, GetCurrentProcessId());
    EXPECT_EQ(fg.title, first);

    desktop->AppActivate(second);
    ASSERT_TRUE(BecomesForeground(b.Handle()));
    fg = desktop->Foreground();
    EXPECT_EQ(fg.title, second);
}

TEST(DesktopForeground, ReadsALongTitleWhole) {
    auto desktop = win32::MakeDesktop();
    const std::string title = UniqueTitle("foreground long ") + std::string(1000, 'x') + "|end";
    TestWindow window(title);
    desktop->AppActivate(title);
    ASSERT_TRUE(BecomesForeground(window.Handle()));
    EXPECT_EQ(desktop->Foreground().title, title);
}

}  // namespace
}  // namespace quelbrin::test
