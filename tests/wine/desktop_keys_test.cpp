#include <gtest/gtest.h>

#include "platform/key_notation.h"
#include "platform/win32/desktop_keys.h"
#include "platform/win32/win32_platform.h"
#include "tests/wine/desktop_test_window.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

unsigned ScanCode(const KeyMessage& k) { return (static_cast<unsigned>(k.flags) >> 16) & 0xFF; }

// A key that nothing here types otherwise.
constexpr WORD kMarker = VK_F24;

// Types the marker key and waits until the window has taken it. Input comes
// in order: whatever was typed before it has arrived by then.
bool MarkerArrives(const TestWindow& window) {
    INPUT events[2] = {};
    for (INPUT& e : events) {
        e.type = INPUT_KEYBOARD;
        e.ki.wVk = kMarker;
    }
    events[1].ki.dwFlags = KEYEVENTF_KEYUP;
    const auto markersTaken = [&] {
        std::size_t n = 0;
        for (const KeyMessage& k : window.Keys()) n += k.message == WM_KEYUP && k.key == kMarker;
        return n;
    };
    const std::size_t before = markersTaken();
    if (SendInput(2, events, sizeof(INPUT)) != 2) return false;
    return WaitUntil([&] { return markersTaken() > before; });
}

// A window of this program, in the foreground, ready for keys.
class DesktopSendKeys : public ::testing::Test {
protected:
    void SetUp() override {
        desktop->AppActivate(title);
        ASSERT_TRUE(BecomesForeground(window.Handle()));
    }
    std::unique_ptr<Desktop> desktop = win32::MakeDesktop();
    std::string title = UniqueTitle("keys");
    TestWindow window{title};
};

TEST_F(DesktopSendKeys, TypesTabThenEnterWithScanCodes) {
    ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", true, {}));
    ASSERT_TRUE(WaitUntil([&] { return window.Count(WM_KEYUP) >= 2; }));
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

TEST_F(DesktopSendKeys, SendsEachKeyOnceAndOnlyWhileTheGateAllowsIt) {
    ASSERT_TRUE(desktop->SendKeys("{TAB 3}{ENTER}", true, {}));
    ASSERT_TRUE(MarkerArrives(window));  // nothing more of them may come before it
    EXPECT_EQ(window.KeysDown(), (std::vector<WPARAM>{VK_TAB, VK_TAB, VK_TAB, VK_RETURN, kMarker}));
    EXPECT_EQ(window.Count(WM_KEYUP), 5u);

    // Asked right before each key: a no holds that key and the rest back.
    int asked = 0;
    EXPECT_FALSE(desktop->SendKeys("{TAB 3}{ENTER}", true, [&] { return ++asked <= 2; }));
    EXPECT_EQ(asked, 3);
    ASSERT_TRUE(MarkerArrives(window));
    EXPECT_EQ(window.KeysDown(), (std::vector<WPARAM>{VK_TAB, VK_TAB, VK_TAB, VK_RETURN, kMarker,
                                                      VK_TAB, VK_TAB, kMarker}));
}

TEST_F(DesktopSendKeys, TypesCharactersWithTheShiftTheyNeed) {
    ASSERT_TRUE(desktop->SendKeys("aB~", true, {}));
    ASSERT_TRUE(WaitUntil([&] { return window.Count(WM_CHAR) >= 3; }));
    std::vector<WPARAM> chars;
    for (const KeyMessage& k : window.Keys())
        if (k.message == WM_CHAR) chars.push_back(k.key);
    EXPECT_EQ(chars, (std::vector<WPARAM>{L'a', L'B', L'\r'}));
    EXPECT_EQ(window.KeysDown(), (std::vector<WPARAM>{'A', VK_SHIFT, 'B', VK_RETURN}));
    EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000) << "Shift was left pressed";
}

TEST_F(DesktopSendKeys, KeysCountAsReadOnlyOnceABusyThreadHasTakenThemAndNothingWaitsOnIt) {
    // The callbacks of the round trips come in while this thread pumps.
    const auto keysRead = [&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return desktop->KeysRead();
    };
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(window.Stall());
        ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", true, {}));  // returns while the thread still works
        EXPECT_FALSE(keysRead()) << "round " << round << ": read while its thread could take nothing";
        ASSERT_TRUE(window.EndStall());
        ASSERT_TRUE(WaitUntil(keysRead));
        EXPECT_EQ(window.Count(WM_KEYDOWN), 2u * round) << "round " << round;
    }
}

TEST_F(DesktopSendKeys, ItsOwnKeysAreNoInputOfTheUser) {
    ASSERT_TRUE(MarkerArrives(window));  // the user's last key
    ASSERT_TRUE(WaitUntil([&] { return desktop->UserIdleMs() > 100; }));
    // As the answer loop's gate does, asking before each key.
    const KeyGate asking = [&] { return desktop->UserIdleMs() >= 0; };
    for (int pass = 1; pass <= 2; ++pass) {
        Sleep(20);  // passes come apart, as the answer loop's floor keeps them
        ASSERT_TRUE(desktop->SendKeys("{TAB}{ENTER}", false, asking));
        EXPECT_GT(desktop->UserIdleMs(), 100) << "pass " << pass << " counted as the user's input";
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
    ASSERT_TRUE(MarkerArrives(window));
    EXPECT_EQ(window.KeysDown(), std::vector<WPARAM>{kMarker}) << "keys were typed before the marker";
    EXPECT_EQ(window.Count(WM_CHAR), 0u);
}

}  // namespace
}  // namespace quelbrin::test
