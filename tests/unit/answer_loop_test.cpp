// The answer loop as Windows runs it: a pump that takes no time, installers
// of the ANSI code page, owned windows and their own boxes, the user's keys.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "tests/unit/test_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

// The cases of this file that several tests state, as RELIABILITY.md lists them.
void AnswerLoopCase(const char* what, const char* asserts) { ReliabilityCase("Answer loop", what, asserts); }
void KeyFloorCase() {
    AnswerLoopCase("the event pump takes no time, as on Windows today",
                   "no key sooner than 300 ms after the window showed or the keys before; passes whose keys are held back wait their 300 ms instead of spinning (a loop that spins never lets the fake clock reach the user's click); a window that closes during the wait ends it at once");
}
void OwnedWindowsCase() {
    AnswerLoopCase("the installer's window hangs off a hidden owner and shows a box of its own",
                   "the box, not the disabled window, is activated; keys to a box owned by the installer's window go out, also when a launcher started the installer; the batch finishes");
}
void EveryKeyCase() {
    AnswerLoopCase("the focus moves between Tab and Enter; the user holds Shift, Ctrl, Alt or Windows",
                   "the foreground is checked right before each key: the Enter is held back and no key reaches the other program; no key goes out while a modifier is held");
}

TEST(KeyFloor, NoKeySoonerThanTheFloorAfterTheWindowShowedOrTheKeysBefore) {
    KeyFloorCase();
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript.passesNeeded = 3;
    h.form->BtInst_Click();
    ASSERT_EQ(h.Status2(), "Ready");
    const auto& sends = h.fake.desktop.sends;
    ASSERT_EQ(sends.size(), 3u);
    EXPECT_GE(sends[0].atMs, kFloorMs) << "the first keys came before the floor after the window showed";
    EXPECT_GE(sends[1].atMs - sends[0].atMs, kFloorMs);
    EXPECT_GE(sends[2].atMs - sends[1].atMs, kFloorMs);
    EXPECT_EQ(h.Window().heldBackPasses, 0) << "passes that typed were counted as held back";
}

TEST(KeyFloor, HeldBackPassesWaitTheirFloorUntilTheUserComesBack) {
    KeyFloorCase();
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
    const long passes = installerAt / kFloorMs + 2;
    EXPECT_LT(h.fake.ui.doEventsCalls, passes * (kPumpCallsPerPause + 50));
    // Each of them counted, for whoever watches the window.
    EXPECT_GE(h.Window().heldBackPasses, installerAt / kFloorMs - 1);
    EXPECT_LT(h.Window().heldBackPasses, passes);
}

TEST(KeyFloor, AWindowThatClosesDuringTheWaitEndsItAtOnce) {
    KeyFloorCase();
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript.closeDelayMs = 250;  // closes well after the short look that follows a pass
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    ASSERT_EQ(h.fake.desktop.sends.size(), 1u) << "keys were sent to a closing window";
    const std::int64_t closedAt = h.fake.desktop.sends[0].atMs + 250;
    EXPECT_LT(h.fake.clock.now, closedAt + 50) << "the wait went on after the window had gone";
}

TEST(AnsiInstaller, ItGetsTheShortNameWhereThereIsOneAndAFileItCannotOpenFailsTheBatch) {
    AnswerLoopCase("an ANSI installer, Cyrillic and CJK names (code page 1252)",
                   R"~(a name the code page lacks reaches it as its short (8.3) name, and its window is found under that title; without a short name the file fails: "the installer cannot open", the batch stops and no key answers its error)~");
    const std::string fire = "\xD0\x9E\xD0\xB3\xD0\xBE\xD0\xBD\xD1\x8C.hfz", flower = "\xE8\x8A\xB1\xE7\x81\xAB.hfz";
    InstallHarness h({fire, flower, "\xE9\x9B\xAA.hfz"});
    h.fake.files.shortPaths["C:\\Quelbrin\\" + fire] = "C:\\Quelbrin\\OGON~1.HFZ";
    h.fake.desktop.defaultScript.ansi = true;
    h.form->BtStart_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u) << "the batch went on past the file that failed";
    EXPECT_EQ(h.fake.desktop.launches[0].commandLine, CommandFor("OGON~1.HFZ"));
    EXPECT_EQ(h.SendsTo("Installing  C:\\Quelbrin\\OGON~1.HFZ"), 1);
    EXPECT_EQ(h.SendsTo("Installing  C:\\Quelbrin\\??.hfz"), 0) << "keys answered the installer's error";
    EXPECT_EQ(h.Status2(), "Error: the installer cannot open \"" + flower +
                               "\": its name has letters that the system's code page lacks");
}

TEST(BusyInstaller, NoPassIsTypedIntoItsQueueAndTheFloorCountsFromTheRead) {
    AnswerLoopCase("the installer works on its window's thread for 3 s after each pass",
                   "no key waits in its queue: the next pass comes 300 ms after the installer has read the keys; Exit stays live meanwhile");
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript = {.passesNeeded = 3, .busyAfterPassMs = 3000};
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    EXPECT_EQ(h.fake.desktop.keysQueued, 0) << "keys were typed while the installer's thread worked";
    const auto& sends = h.fake.desktop.sends;
    ASSERT_EQ(sends.size(), 3u);
    EXPECT_GE(sends[1].atMs - sends[0].atMs, 3000 + kFloorMs);
    EXPECT_GE(sends[2].atMs - sends[1].atMs, 3000 + kFloorMs);

    h.fake.ui.atTime.emplace(h.fake.clock.now + 2000, [&] { h.form->BtExit_Click(); });
    EXPECT_THROW(h.form->BtInst_Click(), fake::ProgramEnded) << "Exit was not live while the installer worked";
}

TEST(Launcher, TheWindowOfAnInstallerWhoseLauncherEndedAtOnceIsWaitedForAndAnswered) {
    AnswerLoopCase("a launcher starts the installer and ends at once; its window shows 0.8 s later",
                   "each window is answered until it closes and the next file starts only then; a launcher whose installer never shows a window counts as done after 10 s");
    InstallHarness h({"a.hfz", "b.hfz"});
    h.fake.desktop.defaultScript = {.windowDelayMs = 800, .launcher = true};
    h.form->BtStart_Click();
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 1);
    EXPECT_EQ(h.SendsTo(Title("b.hfz")), 1);
    EXPECT_EQ(h.fake.desktop.maxInstallersAtOnce, 1);

    h.fake.desktop.defaultScript.showsWindow = false;
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "b.hfz installed");
    EXPECT_EQ(h.Status2(), "Ready");
}

TEST(StartFolder, TheInstallerStartsInItsOwnFolder) {
    AnswerLoopCase("Quelbrin was started in another folder (System32)",
                   "the installer starts in its own folder, a drive's root with its \"\\\"");
    InstallHarness h({"a.hfz"});
    h.form->BtInst_Click();
    h.fake.files.files.insert("D:\\InstallHFZ.exe");
    h.form->HfzInstPath = "D:\\InstallHFZ.exe";
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.fake.desktop.launches[0].startFolder, "C:\\Quelbrin");
    EXPECT_EQ(h.fake.desktop.launches[1].startFolder, "D:\\");
}

TEST(Waiting, AfterFiveSecondsHeldBackStatus2SaysWhyThenTheCountdownComesBack) {
    AnswerLoopCase("passes held back for 5 s: another window in front, a key held down, the computer locked",
                   "Status2 names the reason and the taskbar button pauses; once keys go out, the countdown and the bar come back");
    struct Case {
        const char* text;
        std::function<void(fake::FakeDesktop&, bool)> hold;
    };
    const Case cases[] = {
        {"Waiting for the installer's window to be in front",
         [](fake::FakeDesktop& d, bool on) { d.SetForeground(on ? OpenNotepad(d) : d.WindowTitled(Title("last.hfz"))->id); }},
        {"Waiting while a key is held down", [](fake::FakeDesktop& d, bool on) { d.modifiersHeld = on; }},
        {"Waiting until the computer is unlocked", [](fake::FakeDesktop& d, bool on) { d.locked = on; }},
    };
    for (const Case& c : cases) {
        InstallHarness h({"last.hfz"});
        h.fake.ui.atTime.emplace(100, [&] { c.hold(h.fake.desktop, true); });
        h.fake.ui.atTime.emplace(8000, [&] { c.hold(h.fake.desktop, false); });
        h.form->BtStart_Click();
        const std::vector<std::string> expected = {"0 .hfz files remaining of 1 total", c.text,
                                                   "0 .hfz files remaining of 1 total", "Ready"};
        const auto& history = h.Window().status2.history;
        EXPECT_EQ(std::vector<std::string>(history.end() - 4, history.end()), expected) << c.text;
        const auto& bar = h.Window().taskbar.calls;
        const auto paused = std::find(bar.begin(), bar.end(), "paused");
        EXPECT_TRUE(paused != bar.end() && std::find(paused, bar.end(), "resumed") != bar.end()) << c.text;
    }
}

TEST(UserAtWork, TheInstallersWindowIsNotBroughtInFrontOfAUserWhoIsTyping) {
    AnswerLoopCase("the user types into another window for 5 s during a batch",
                   "the installer's window is not activated until 2 s after the user's last key; the user's window keeps the front; then the batch goes on");
    InstallHarness h({"a.hfz", "b.hfz"});
    // The user's window keeps the front unless Quelbrin takes it.
    h.fake.desktop.scripts.push_back({.takesFocus = false});
    const int notepad = OpenNotepad(h.fake.desktop);
    h.fake.desktop.SetForeground(notepad);
    h.fake.desktop.userInputAtMs = 0;
    for (int t = 0; t <= 5000; t += 250)
        h.fake.ui.atTime.emplace(t, [&, t] {
            EXPECT_EQ(h.fake.desktop.ForegroundId(), notepad) << "the user's window lost the front at " << t << " ms";
            h.fake.desktop.userInputAtMs = t;
        });
    h.form->BtStart_Click();
    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.SendsTo(Title("a.hfz")), 1);
}

// An installer whose window hangs off a hidden owner and whose first pass
// opens a box of its own, which disables its window.
fake::InstallerScript OldInstaller() { return {.hiddenOwner = true, .boxOnFirstPass = true}; }

TEST(OwnedWindows, WhileItsBoxIsUpTheBoxIsActivatedNotTheDisabledWindow) {
    OwnedWindowsCase();
    InstallHarness h({"a.hfz"});
    h.fake.desktop.defaultScript = OldInstaller();
    // Install Selected File activates before every pass: activating the
    // disabled window would take the activation from the box for good.
    h.form->BtInst_Click();
    EXPECT_EQ(h.Status1(), "a.hfz installed");
    EXPECT_EQ(h.SendsTo("Installer"), 1);
}

TEST(OwnedWindows, TheBoxOfAnInstallerStartedThroughALauncherGetsTheKeys) {
    OwnedWindowsCase();
    InstallHarness h({"only.hfz"});
    h.fake.desktop.defaultScript = OldInstaller();
    h.fake.desktop.defaultScript.launcher = true;  // the window is not the started process's
    h.form->BtStart_Click();  // the only file is the last: no activation, keys go where the focus is
    EXPECT_EQ(h.Status1(), "only.hfz installed");
    EXPECT_EQ(h.SendsTo("Installer"), 1) << "the box is owned by the installer's window";
}

TEST(EveryKey, AFocusChangeBetweenTheTwoKeysWithholdsTheEnter) {
    EveryKeyCase();
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
    EveryKeyCase();
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
    AnswerLoopCase("out of memory, a length error inside an install command",
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
