#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

unsigned ScanCode(const KeyMessage& k) { return (static_cast<unsigned>(k.flags) >> 16) & 0xFF; }

// A window of this program, in the foreground, ready for keys.
class DesktopSendKeys : public ::testing::Test {
protected:
    void SetUp() override {
        desktop->AppActivate(title);
        ASSERT_EQ(GetForegroundWindow(), window.Handle());
    }
    std::unique_ptr<Desktop> desktop = win32::MakeDesktop();
    std::string title = UniqueTitle("keys");
    TestWindow window{title};
};

TEST_F(DesktopSendKeys, TypesTabThenEnterWithScanCodes) {
    ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", true, {}));
    ASSERT_TRUE(WaitUntil([&] { return window.Count(WM_KEYUP) >= 2; }, 2000));
    const std::vector<KeyMessage> keys = window.Keys();
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (const KeyMessage& k : keys)
        if (k.message != WM_CHAR) seen.push_back({k.message, k.key});
    EXPECT_EQ(seen, (std::vector<std::pair<UINT, WPARAM>>{
                        {WM_KEYDOWN, VK_TAB}, {WM_KEYUP, VK_TAB}, {WM_KEYDOWN, VK_RETURN}, {WM_KEYUP, VK_RETURN}}));
    for (const KeyMessage& k : keys) {
        if (k.message == WM_CHAR) continue;
        EXPECT_EQ(ScanCode(k), MapVirtualKeyW(static_cast<UINT>(k.key), MAPVK_VK_TO_VSC)) << "key " << k.key;
        EXPECT_NE(ScanCode(k), 0u);
    }
}

TEST_F(DesktopSendKeys, SendsEachKeyOnceWithAGapBetween) {
    ASSERT_TRUE(desktop->SendKeys("{TAB 3}{ENTER}", true, {}));
    ASSERT_TRUE(WaitUntil([&] { return window.Count(WM_KEYUP) >= 4; }, 2000));
    Sleep(100);  // nothing more may arrive
    EXPECT_EQ(window.KeysDown(), (std::vector<WPARAM>{VK_TAB, VK_TAB, VK_TAB, VK_RETURN}));
    EXPECT_EQ(window.Count(WM_KEYUP), 4u);
    std::vector<LONG> times;
    for (const KeyMessage& k : window.Keys())
        if (k.message == WM_KEYDOWN) times.push_back(k.time);
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_GE(times[i] - times[i - 1], 8) << "between key " << i << " and " << i + 1;
}

TEST_F(DesktopSendKeys, TypesCharactersWithTheShiftTheyNeed) {
    ASSERT_TRUE(desktop->SendKeys("aB~", true, {}));
    ASSERT_TRUE(WaitUntil([&] { return window.Count(WM_CHAR) >= 3; }, 2000));
    std::vector<WPARAM> chars;
    for (const KeyMessage& k : window.Keys())
        if (k.message == WM_CHAR) chars.push_back(k.key);
    EXPECT_EQ(chars, (std::vector<WPARAM>{L'a', L'B', L'\r'}));
    EXPECT_EQ(window.KeysDown(), (std::vector<WPARAM>{'A', VK_SHIFT, 'B', VK_RETURN}));
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000) << "Shift was left pressed";
}

TEST_F(DesktopSendKeys, WaitReturnsOnlyOnceTheWindowHasTakenTheKeys) {
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", true, {}));
        EXPECT_EQ(window.Count(WM_KEYDOWN), 2u * round) << "round " << round;
    }
}

TEST_F(DesktopSendKeys, RejectsMalformedNotationAndTypesNothing) {
    for (const char* bad : {"{TAB}{ENTER", "{NOSUCHKEY}", "a}"}) {
        try {
            desktop->SendKeys(bad, true, {});
            ADD_FAILURE() << "no error for " << bad;
        } catch (const ErrorInfo& error) {
            EXPECT_EQ(error.Number, ERROR_INVALID_PARAMETER);
            EXPECT_EQ(error.Source, "SendKeys");
            EXPECT_NE(error.Description.find(bad), std::string::npos) << error.Description;
        }
    }
    Sleep(100);
    EXPECT_TRUE(window.Keys().empty());
}

}  // namespace
}  // namespace quelbrin::test
