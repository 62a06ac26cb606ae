// The answer loop as Windows runs it: a pump that takes no time, installers
// of the ANSI code page, owned windows and their own boxes, the user's keys.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "installer/run_installer.h"
#include "tests/unit/test_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

// A window of another program that must never get a key.
int OpenNotepad(fake::FakeDesktop& desktop) {
    return desktop.OpenWindow("Untitled - Notepad", 900, [](const std::string& key) {
        ADD_FAILURE() << "the key " << key << " reached another program";
    });
}

TEST(KeyFloor, NoKeySoonerThanTheFloorAfterTheWindowShowedOrTheKeysBefore) {
    quelbrin::test::ReliabilityCase("Answer loop", "the event pump takes no time, as on Windows today",
                                    "no key sooner than 300 ms after the window showed or the keys before; passes whose keys are held back wait their 300 ms instead of spinning (a loop that spins never lets the fake clock reach the user's click); a window that closes during the wait ends it at once");
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript.passesNeeded = 3;
    h.form->BtInst_Click();
    ASSERT_EQ(h.Status2(), "Ready");
    const auto& sends = h.fake.desktop.sends;
    ASSERT_EQ(sends.size(), 3u);
    EXPECT_GE(sends[0].atMs, kKeyFloorMs) << "the first keys came before the floor after the window showed";
    EXPECT_GE(sends[1].atMs - sends[0].atMs, kKeyFloorMs);
    EXPECT_GE(sends[2].atMs - sends[1].atMs, kKeyFloorMs);
    EXPECT_EQ(h.Window().heldBackPasses, 0) << "passes that typed were counted as held back";
}

TEST(KeyFloor, HeldBackPassesWaitTheirFloorUntilTheUserComesBack) {
    quelbrin::test::ReliabilityCase("Answer loop", "the event pump takes no time, as on Windows today",
                                    "no key sooner than 300 ms after the window showed or the keys before; passes whose keys are held back wait their 300 ms instead of spinning (a loop that spins never lets the fake clock reach the user's click); a window that closes during the wait ends it at once");
    InstallHarness h({"last.hfz"});
    h.fake.desktop.defaultScript.takesFocus = false;
    const int installerAt = 2000;
    h.fake.ui.atTime.emplace(installerAt, [&] {
        h.fake.desktop.SetForeground(h.fake.desktop.WindowTitled(Title("last.hfz"))->id);
    });
    h.form->BtStart_Click();
    EXPECT_EQ(h.Status2(), "Ready");
    ASSERT_EQ(h.fake.desktop.sends.size(), 1u);
    EXPECT_GE(h.fake.desktop.sends[0].atMs, installerAt);
    // One pause per floor while waiting, not one pause after another.
    const long passes = installerAt / kKeyFloorMs + 2;
    EXPECT_LT(h.fake.ui.doEventsCalls, passes * (kPausePumpCalls + 50));
    // Each of them counted, for whoever watches the window.
    EXPECT_GE(h.Window().heldBackPasses, installerAt / kKeyFloorMs - 1);
    EXPECT_LT(h.Window().heldBackPasses, passes);
}

TEST(KeyFloor, AWindowThatClosesDuringTheWaitEndsItAtOnce) {
    quelbrin::test::ReliabilityCase("Answer loop", "the event pump takes no time, as on Windows today",
                                    "no key sooner than 300 ms after the window showed or the keys before; passes whose keys are held back wait their 300 ms instead of spinning (a loop that spins never lets the fake clock reach the user's click); a window that closes during the wait ends it at once");
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript.closeDelayMs = 250;  // closes well after the short look that follows a pass
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    ASSERT_EQ(h.fake.desktop.sends.size(), 1u) << "keys were sent to a closing window";
    const std::int64_t closedAt = h.fake.desktop.sends[0].atMs + 250;
    EXPECT_LT(h.fake.clock.now, closedAt + 50) << "the wait went on after the window had gone";
}

TEST(AnsiInstaller, CyrillicAndCjkNamesAreFoundByTheTitleTheInstallerReallyShows) {
    quelbrin::test::ReliabilityCase("Answer loop", "an ANSI installer, Cyrillic and CJK names (code page 1252)",
                                    R"~(the windows are found by the title the installer really shows ("?" for the missing letters), answered, and the batch ends with "Ready")~");
    InstallHarness h({"\xD0\x9E\xD0\xB3\xD0\xBE\xD0\xBD\xD1\x8C.hfz", "\xE8\x8A\xB1\xE7\x81\xAB.hfz"});
    h.fake.desktop.defaultScript.ansi = true;
    h.form->BtStart_Click();  // the exact title is never found: without the ANSI title this waits for ever
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.SendsTo("Installing  C:\\Quelbrin\\?????.hfz"), 1);
    EXPECT_EQ(h.SendsTo("Installing  C:\\Quelbrin\\??.hfz"), 1);
    EXPECT_EQ(h.fake.desktop.RunningInstallers(), 0);
}

// An installer whose window hangs off a hidden owner and whose first pass
// opens a box of its own, which disables its window.
fake::InstallerScript OldInstaller() {
    fake::InstallerScript old;
    old.hiddenOwner = true;
    old.boxOnFirstPass = true;
    return old;
}

TEST(OwnedWindows, WhileItsBoxIsUpTheBoxIsActivatedNotTheDisabledWindow) {
    quelbrin::test::ReliabilityCase("Answer loop", "the installer's window hangs off a hidden owner and shows a box of its own",
                                    "the box, not the disabled window, is activated; keys to a box owned by the installer's window go out, also when a launcher started the installer; the batch finishes");
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript = OldInstaller();
    // Install Selected File activates before every pass: activating the
    // disabled window would take the activation from the box for good.
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    EXPECT_EQ(h.SendsTo("Installer"), 1);
}

TEST(OwnedWindows, TheBoxOfAnInstallerStartedThroughALauncherGetsTheKeys) {
    quelbrin::test::ReliabilityCase("Answer loop", "the installer's window hangs off a hidden owner and shows a box of its own",
                                    "the box, not the disabled window, is activated; keys to a box owned by the installer's window go out, also when a launcher started the installer; the batch finishes");
    InstallHarness h({"only.hfz"});
    h.fake.desktop.defaultScript = OldInstaller();
    h.fake.desktop.defaultScript.launcher = true;  // the window is not the started process's
    h.form->BtStart_Click();  // the only file is the last: no activation, keys go where the focus is
    EXPECT_EQ(h.Status1(), "only.hfz installed");
    EXPECT_EQ(h.SendsTo("Installer"), 1) << "the box is owned by the installer's window";
}

TEST(EveryKey, AFocusChangeBetweenTheTwoKeysWithholdsTheEnter) {
    quelbrin::test::ReliabilityCase("Answer loop", "the focus moves between Tab and Enter; the user holds Shift, Ctrl, Alt or Windows",
                                    "the foreground is checked right before each key: the Enter is held back and no key reaches the other program; no key goes out while a modifier is held");
    InstallHarness h({"a.hfz"});
    const int notepad = OpenNotepad(h.fake.desktop);
    bool clicked = false;
    h.fake.desktop.afterKey = [&](const std::string& key) {
        if (key == "{TAB}" && !std::exchange(clicked, true)) h.fake.desktop.SetForeground(notepad);
    };
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    ASSERT_GE(h.fake.desktop.sends.size(), 2u);
    EXPECT_EQ(h.fake.desktop.sends[0].keys, "{TAB}") << "the Enter went out after the focus had moved";
}

TEST(EveryKey, NoPassWhileTheUserHoldsShiftCtrlAltOrWindows) {
    quelbrin::test::ReliabilityCase("Answer loop", "the focus moves between Tab and Enter; the user holds Shift, Ctrl, Alt or Windows",
                                    "the foreground is checked right before each key: the Enter is held back and no key reaches the other program; no key goes out while a modifier is held");
    InstallHarness h({"a.hfz"});
    h.fake.desktop.modifiersHeld = true;
    h.fake.ui.atTime.emplace(1000, [&] { h.fake.desktop.modifiersHeld = false; });
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    ASSERT_EQ(h.fake.desktop.sends.size(), 1u);
    EXPECT_GE(h.fake.desktop.sends[0].atMs, 1000);
    EXPECT_GE(h.Window().heldBackPasses, 1);
}

TEST(AnyFailure, OutOfMemoryOrALengthErrorEndsTheCommandWithTheControlsEnabled) {
    quelbrin::test::ReliabilityCase("Answer loop", "out of memory, a length error inside an install command",
                                    R"~("Error: " and a description in Status2, the controls enabled again, the holds released)~");
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.onShell = [] { throw std::bad_alloc(); };
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status2(), "Error: There was not enough memory to go on.");
    EXPECT_TRUE(h.Window().btInst.Enabled());
    EXPECT_EQ(h.fake.system.installingHolds, 0);

    int launch = 0;
    h.fake.desktop.onShell = [&] {
        if (++launch == 2) throw std::length_error("basic_string::_M_create");
    };
    h.form->BtStart_Click();
    EXPECT_EQ(h.Status2(), "Error: Something unexpected went wrong (basic_string::_M_create).");
    EXPECT_TRUE(h.Window().btStart.Enabled());
    EXPECT_TRUE(h.Window().fileList.Enabled());
    EXPECT_EQ(h.fake.system.awakeHolds, 0);
}

}  // namespace
}  // namespace quelbrin::test
