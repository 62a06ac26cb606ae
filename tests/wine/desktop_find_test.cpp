#include <gtest/gtest.h>

#include <cctype>

#include "platform/win32/win32_platform.h"
#include "tests/wine/desktop_test_window.h"

namespace quelbrin::test {
namespace {

TEST(DesktopFindWindow, MatchesTheWholeTitleOnly) {
    auto desktop = win32::MakeDesktop();
    const std::string title = "Installing  C:\\Effects dir\\" + UniqueTitle("find") + ".hfz";
    TestWindow window(title);
    ASSERT_NE(window.Handle(), nullptr);

    EXPECT_TRUE(desktop->FindWindow(title));
    // One blank fewer or more, a shorter or a longer title: no match.
    EXPECT_FALSE(desktop->FindWindow("Installing " + title.substr(12)));
    EXPECT_FALSE(desktop->FindWindow("Installing   " + title.substr(12)));
    EXPECT_FALSE(desktop->FindWindow(title.substr(0, title.size() - 1)));
    EXPECT_FALSE(desktop->FindWindow(title + " "));
}

TEST(DesktopFindWindow, IgnoresLetterCaseAsTheSystemDoes) {
    auto desktop = win32::MakeDesktop();
    const std::string title = UniqueTitle("Find Case") + " Fire.HFZ";
    TestWindow window(title);
    std::string upper = title, lower = title;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(desktop->FindWindow(upper));
    EXPECT_TRUE(desktop->FindWindow(lower));
}

TEST(DesktopFindWindow, SeesHiddenWindowsAndForgetsClosedOnes) {
    auto desktop = win32::MakeDesktop();
    const std::string hiddenTitle = UniqueTitle("find hidden");
    const std::string closedTitle = UniqueTitle("find closed");
    TestWindow hidden(hiddenTitle, false);
    EXPECT_TRUE(desktop->FindWindow(hiddenTitle));
    {
        TestWindow closed(closedTitle);
        EXPECT_TRUE(desktop->FindWindow(closedTitle));
    }
    EXPECT_FALSE(desktop->FindWindow(closedTitle));
}

TEST(DesktopFindWindow, ReadsTitlesOutsideAscii) {
    auto desktop = win32::MakeDesktop();
    const std::string title = UniqueTitle("find \xC3\xBC\xE2\x82\xAC");  // ü €
    TestWindow window(title);
    EXPECT_TRUE(desktop->FindWindow(title));
    EXPECT_FALSE(desktop->FindWindow(UniqueTitle("find u\xE2\x82\xAC")));
}

}  // namespace
}  // namespace quelbrin::test
