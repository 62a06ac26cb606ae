// Installers that misbehave, and installer paths that name no installer:
// the real Quelbrin.exe must report sensibly, never hang and stay responsive.
#include <algorithm>
#include <thread>

#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "tests/e2e/real_input.h"
#include "tests/e2e/reliability_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

// Each run was over (its window closed, or its process ended or crashed)
// before the next one started.
void ExpectOneAfterAnother(const std::vector<InstallerRun>& runs) {
    for (std::size_t i = 1; i < runs.size(); ++i) {
        const InstallerRun& before = runs[i - 1];
        const std::optional<long long> over = before.windowClosed ? before.windowClosed
                                              : before.exited     ? before.exited
                                                                  : before.crashed;
        ASSERT_TRUE(over.has_value()) << "run " << i - 1 << " never ended";
        EXPECT_GE(runs[i].started, *over) << "run " << i << " started before run " << i - 1 << " was over";
    }
}

class ReliabilityInstaller : public E2eTest {
protected:
    // Starts Quelbrin, lists the packages and installs them (a batch when
    // there are several, else the one selected); expects "Ready" with the
    // last one installed, Quelbrin answering throughout. Returns the runs.
    std::vector<InstallerRun> InstallAndExpectReady(const std::wstring& log, const std::vector<std::wstring>& names,
                                                    std::chrono::milliseconds timeout = 120s) {
        const std::wstring packages = MakePackages(L"packages", names);
        StartAndWaitForWindow();
        if (names.size() > 1) {
            EXPECT_TRUE(RunBatch(packages, names.size()));
        } else {
            EXPECT_TRUE(List(packages, 1));
            EXPECT_TRUE(app_->Click(IdBtInst));
        }
        EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, timeout), L"Ready"));
        EXPECT_EQ(Text(IdStatus1), names.back() + L" installed");
        return ReadInstallerLog(log);
    }
    // After runs that went wrong: the last one closed on its one pass, each
    // was over before the next began, and Quelbrin still answers.
    void ExpectTheBatchWentOn(const std::vector<InstallerRun>& runs) {
        EXPECT_EQ(runs.back().passes, 1);
        EXPECT_EQ(runs.back().closeReason, "passes");
        ExpectOneAfterAnother(runs);
        EXPECT_TRUE(Responsive(*app_));
        ExitAndExpectGone();
    }
};

TEST_F(ReliabilityInstaller, InstallersThatShowNoWindowCountAsDoneOnlyOnceTheyHaveEnded) {
    quelbrin::test::ReliabilityCase("Installer", "never shows its window and ends (after 1.5 s, or at once)",
                                    R"~(each file counts as done only once its installer has ended: the next one starts after the exit; no keys are typed; "Ready"; Quelbrin answers every poll)~");
    // A: no window, ends after 1.5 s; B: ends at once; C: behaves.
    const std::wstring log = PlaceSubstituteWith(folder_, L"app", L"InstallHFZ.exe", {.passes = 1},
                                                 {"mode@A.hfz=nowindow", "delay_ms@A.hfz=1500", "mode@B.hfz=exit"});
    const auto runs = InstallAndExpectReady(log, {L"A.hfz", L"B.hfz", L"C.hfz"}, 60s);
    ASSERT_EQ(runs.size(), 3u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_FALSE(runs[i].windowShown.has_value()) << "run " << i;
        EXPECT_TRUE(runs[i].keys.empty()) << "keys were typed with no installer window up";
        ASSERT_TRUE(runs[i].exited.has_value());
        EXPECT_EQ(runs[i].exitCode, 0);
    }
    ExpectTheBatchWentOn(runs);
}

TEST_F(ReliabilityInstaller, AnInstallerThatCrashesWithItsWindowUpEndsItsFileAndTheBatchGoesOn) {
    quelbrin::test::ReliabilityCase("Installer", "crashes (access violation) at the first key, window up",
                                    R"~(the file counts as done, the batch goes on with the next file, "Ready", no message box, Quelbrin alive and answering)~");
    const std::wstring log = PlaceSubstituteWith(folder_, L"app", L"InstallHFZ.exe", {.passes = 1},
                                                 {"mode@Crash.hfz=crash"});
    const auto runs = InstallAndExpectReady(log, {L"Crash.hfz", L"Next.hfz"}, 60s);
    EXPECT_TRUE(app_->AnswerAllBoxes().empty()) << "a message box after the crash";
    ASSERT_EQ(runs.size(), 2u);
    const InstallerRun& crashed = runs[0];
    ASSERT_TRUE(crashed.windowShown.has_value());
    ASSERT_FALSE(crashed.keys.empty()) << "the crashing installer got no key";
    EXPECT_FALSE(crashed.windowClosed.has_value()) << "its window closed before the crash";
    EXPECT_FALSE(crashed.exited.has_value()) << "it ended normally";
    EXPECT_EQ(crashed.crashCode, "code=0xC0000005") << "it did not crash";
    ExpectTheBatchWentOn(runs);
}

TEST_F(ReliabilityInstaller, AnInstallerThatNeedsTwentyPassesGetsThemAllInTheForeground) {
    quelbrin::test::ReliabilityCase("Installer", "needs 20 passes",
                                    R"~(20 passes, 40 keys alternating Tab and Enter, every one in the foreground; "Ready")~");
    const auto runs = InstallAndExpectReady(PlaceInstaller({.passes = 20}), {L"Patient.hfz"});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].passes, 20);
    EXPECT_EQ(runs[0].closeReason, "passes");
    ASSERT_EQ(runs[0].keys.size(), 40u);
    for (std::size_t i = 0; i < runs[0].keys.size(); ++i) {
        EXPECT_EQ(runs[0].keys[i].key, i % 2 == 0 ? "TAB" : "ENTER") << "key " << i;
        EXPECT_TRUE(runs[0].keys[i].foreground) << "key " << i;
    }
    EXPECT_TRUE(Responsive(*app_));
    ExitAndExpectGone();
}

TEST_F(ReliabilityInstaller, AnInstallerThatReopensItsWindowIsAnsweredUntilTheSecondOneCloses) {
    quelbrin::test::ReliabilityCase("Installer", "closes its window, then shows a second one with the same title",
                                    "both windows are answered (4 passes), with and without activation; the next file starts only after the second window closed");
    const std::wstring log = PlaceSubstituteWith(folder_, L"app", L"InstallHFZ.exe", {.passes = 2, .mode = "reopen"},
                                                 {"reopen_delay_ms=300"});
    // Both reopen: the first is answered with activation, the last without.
    const auto runs = InstallAndExpectReady(log, {L"First.hfz", L"Second.hfz"});
    ASSERT_EQ(runs.size(), 2u);
    const std::string lines = ReadFile(log);
    for (const InstallerRun& run : runs) {
        SCOPED_TRACE(run.commandLine);
        // Both windows got their passes: 2 + 2.
        EXPECT_EQ(run.passes, 4);
        EXPECT_EQ(run.closeReason, "passes");
        for (const LoggedKey& key : run.keys) EXPECT_TRUE(key.foreground) << key.key;
        const std::string second = std::to_string(run.processId) + " close 2 passes";
        EXPECT_NE(lines.find(second), std::string::npos) << "the second window was not answered";
    }
    // The next installer only after the second window had closed.
    ASSERT_TRUE(runs[0].windowClosed.has_value());
    EXPECT_GE(runs[1].started, *runs[0].windowClosed);
    ExitAndExpectGone();
}

// Installer paths typed into the About dialog that name no program, or name
// a batch file (run as administrator through cmd.exe, which would act on
// "&" or "%" in a package's name): each install ends with "Error: " and the
// system's words or Quelbrin's own, nothing is started, and the controls come
// back; a path with blanks to a real installer works, typed with or without
// its ".exe".
TEST_F(ReliabilityInstaller, InstallerPathsThatNameNoProgramReportTheSystemsError) {
    quelbrin::test::ReliabilityCase("Administrator", R"~(installer path naming a batch file: .bat, .CMD, "x.cmd ", "x.bat." (also "x.exe."))~",
                                    R"~("Error: " and Quelbrin's words naming the path (only .exe and .com programs are started); nothing started, the batch file never ran (cmd.exe would act on &, the pipe sign and % in package names, as administrator))~");
    quelbrin::test::ReliabilityCase("Installer path", R"~(typed without ".exe" (About dialog))~",
                                    R"~(the path plus ".exe" is started, its command line keeps the path as typed (quoted when it has blanks); a path with an extension of another kind gets nothing added and is not started)~");
    quelbrin::test::ReliabilityCase("Installer path", "blanks only; a real installer in a path with blanks",
                                    R"~(blanks: "Error: " and Quelbrin's words (only .exe and .com programs are started); the path with blanks is started quoted and installs)~");
    quelbrin::test::ReliabilityCase("Installer path", "a file that is not a program (.txt, and text named .exe)",
                                    R"~(.txt: "Error: " and Quelbrin's words naming the path; text named .exe: "Error: " and the system's words for a bad executable format; nothing started)~");
    quelbrin::test::ReliabilityCase("Installer path", "a missing file",
                                    R"~("Error: " and the system's words for file not found; nothing started)~");
    quelbrin::test::ReliabilityCase("Installer path", "a folder",
                                    R"~("Error: " and Quelbrin's words naming the path (only .exe and .com programs are started); nothing started)~");
    quelbrin::test::ReliabilityCase("Installer path", "empty (About dialog)",
                                    R"~("Error: " and the system's words for file not found; nothing started; controls enabled; Status1 kept)~");
    quelbrin::test::ReliabilityNote(
        "A folder typed as the installer path gives Wine 8's words for ERROR_INVALID_HANDLE; Windows reports "
        "access denied there.");
    const std::wstring localLog = PlaceInstaller({});
    const std::wstring blankLog = PlaceSubstitute(folder_, L"my installer dir", L"Install HFZ.exe", {});
    const std::wstring packages = MakePackages(L"packages", {L"Fire.hfz"});
    folder_.WriteFile(L"app\\readme.txt", "not a program\r\n");
    folder_.WriteFile(L"app\\fake.exe", "not a program either\r\n");
    // Batch files that leave a trace when cmd.exe runs them.
    const std::wstring batchTrace = folder_ / L"app\\batch-ran.txt";
    folder_.WriteFile(L"app\\InstallHFZ.bat", "@echo %0>>\"%~dp0batch-ran.txt\"\r\n");
    folder_.WriteFile(L"app\\x.cmd", "@echo %0>>\"%~dp0batch-ran.txt\"\r\n");
    StartAndWaitForWindow();

    // The system's words for the error; where Wine's differ from Windows',
    // both are named (Windows first).
    auto system = [](std::initializer_list<DWORD> errors) {
        std::vector<std::wstring> expected;
        for (DWORD error : errors) expected.push_back(L"Error: " + win32::Widen(win32::DescribeError(error)));
        return expected;
    };
    auto notAProgram = [](const std::wstring& path) {
        return std::vector<std::wstring>{L"Error: the installer \"" + path +
                                         L"\" was not started: only .exe and .com programs are started"};
    };
    struct Case {
        const char* what;
        std::wstring path;
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {"empty", L"", system({ERROR_FILE_NOT_FOUND})},
        {"a folder", AppFolder(), notAProgram(AppFolder())},
        {"a missing file", AppFolder() + L"\\NoSuchInstaller.exe", system({ERROR_FILE_NOT_FOUND})},
        {"a text file", AppFolder() + L"\\readme.txt", notAProgram(AppFolder() + L"\\readme.txt")},
        {"a text file named .exe", AppFolder() + L"\\fake.exe", system({ERROR_BAD_EXE_FORMAT})},
        {"blanks only", L"   ", notAProgram(L"   ")},
        {"a batch file", AppFolder() + L"\\InstallHFZ.bat", notAProgram(AppFolder() + L"\\InstallHFZ.bat")},
        {"a command file and a blank", AppFolder() + L"\\x.cmd ", notAProgram(AppFolder() + L"\\x.cmd ")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SetInstallerPath(*app_, c.path));
        ASSERT_TRUE(List(packages, 1));
        ASSERT_TRUE(app_->Click(IdBtInst));
        const CommandEnd end = WaitForCommandEnd(*app_, 30s);
        ASSERT_TRUE(end.status.has_value()) << "the install did not end";
        EXPECT_NE(std::find(c.expected.begin(), c.expected.end(), *end.status), c.expected.end())
            << "Status2 reads \"" << Utf8(*end.status) << "\"";
        EXPECT_EQ(end.unanswered, 0) << "Quelbrin did not answer";
        EXPECT_EQ(Text(IdStatus1), L"Fire.hfz") << "the file line changed";
        for (int id : {IdBtInst, IdBtStart, IdBtAbout, IdBtBrowse, IdTxPath, IdFileList})
            EXPECT_TRUE(app_->Enabled(id)) << "control " << id << " stays disabled";
        EXPECT_TRUE(app_->RunningChildren().empty()) << "something was started";
        EXPECT_TRUE(app_->AnswerAllBoxes().empty()) << "a message box";
    }
    EXPECT_TRUE(ReadInstallerLog(localLog).empty()) << "the installer beside Quelbrin ran";
    // A batch file that ran did so before its install ended (Quelbrin waits for it to exit).
    EXPECT_FALSE(FileExists(batchTrace)) << "a batch file ran: " << ReadFile(batchTrace);

    // A real installer in a folder with a blank, in a file with a blank: it
    // runs, named in full or without its ".exe" (which the command line keeps).
    const std::wstring withBlanks = folder_ / L"my installer dir\\Install HFZ.exe";
    const std::wstring withoutExe = folder_ / L"my installer dir\\Install HFZ";
    for (const std::wstring& typed : {withBlanks, withoutExe}) {
        SCOPED_TRACE(Utf8(typed));
        ASSERT_TRUE(SetInstallerPath(*app_, typed));
        ASSERT_TRUE(List(packages, 1));
        ASSERT_TRUE(app_->Click(IdBtInst));
        EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, 60s), L"Ready"));
        EXPECT_EQ(Text(IdStatus1), L"Fire.hfz installed");
    }
    const auto runs = ReadInstallerLog(blankLog);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].commandLine, Utf8(L"\"" + withBlanks + L"\" " + packages + L"\\Fire.hfz"));
    EXPECT_EQ(runs[1].commandLine, Utf8(L"\"" + withoutExe + L"\" " + packages + L"\\Fire.hfz"));
    for (const auto& run : runs) EXPECT_EQ(run.closeReason, "passes");
    ExitAndExpectGone();
}

TEST_F(ReliabilityInstaller, ABusyInstallerGetsTheNextPassOnlyOnceItHasReadTheLast) {
    quelbrin::test::ReliabilityCase("Installer", "busy for 3 s on its window's thread after each pass, reading no input",
                                    R"~(no key is waiting in its queue when it is free again; its 3 passes close the window; "installed", "Ready")~");
    const auto runs = InstallAndExpectReady(PlaceInstaller({.passes = 3, .busyMs = 3000}), {L"Busy.hfz"});
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].keysWaitingAfterBusy, std::vector<int>({0, 0})) << "keys pressed while it was busy";
    EXPECT_EQ(runs[0].closeReason, "passes");
    ExitAndExpectGone();
}

TEST_F(ReliabilityInstaller, ALauncherThatEndsBeforeItsInstallersWindowShowsIsWaitedFor) {
    quelbrin::test::ReliabilityCase("Installer", "a launcher: starts the installer proper, whose window shows 0.8 s later, and ends at once",
                                    R"~(batch of 2: both windows get their passes and close; the second file's launcher starts only after the first file's window closed; "Ready")~");
    const auto runs = InstallAndExpectReady(PlaceInstaller({.passes = 2, .delayMs = 800, .mode = "launcher"}),
                                            {L"A.hfz", L"B.hfz"});  // launcher, installer proper; launcher, installer proper
    ASSERT_EQ(runs.size(), 4u) << "not a launcher and an installer proper for each file";
    for (std::size_t i : {1u, 3u}) EXPECT_EQ(runs[i].closeReason, "passes") << runs[i].commandLine;
    ExpectEachAfterThePreviousWindowClosed({runs[1], runs[2]});
    ExitAndExpectGone();
}

TEST_F(ReliabilityInstaller, TheInstallerStartsInItsOwnFolder) {
    quelbrin::test::ReliabilityCase("Installer", "Quelbrin started with another current folder (the one above its own)",
                                    R"~(the installer's current folder at its start is its own folder; "Ready")~");
    startFolder_ = folder_.Path();
    const auto runs = InstallAndExpectReady(PlaceInstaller({}), {L"Fire.hfz"}, 60s);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].folder, Utf8(AppFolder()));
    ExitAndExpectGone();
}

// The user types into another program during a batch, in which Quelbrin brings
// the window of every file but the last forward: it leaves the front to the user.
TEST_F(ReliabilityInstaller, TheUsersKeysInAnotherProgramStayThere) {
    quelbrin::test::ReliabilityCase("Installer", "the user types into another program during a batch (real keys, one each 250 ms for 5 s)",
                                    R"~(every letter reaches the other program, which is in front for each; the installers get none; once the typing stops the batch ends "Ready")~");
    const std::wstring log = PlaceInstaller({.passes = 3});
    Intruder intruder(folder_ / L"intruder.log", L"Quelbrin test: the user's program");
    ASSERT_TRUE(intruder.WaitUntilReady(20s)) << "the other program did not start";
    const std::wstring packages = MakePackages(L"packages", {L"A.hfz", L"B.hfz", L"C.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(RunBatch(packages, 3));
    ASSERT_TRUE(WaitForRun(log, 0, [](const InstallerRun& run) { return run.windowShown.has_value(); }));
    // The user clicks into the other program, near its far corner, which the
    // smaller installer window at the top left leaves free.
    RECT other{};
    ASSERT_TRUE(intruder.Grab(5s).has_value() && GetWindowRect(intruder.Window(), &other));
    ASSERT_TRUE(ClickAt({other.right - 30, other.bottom - 30}, false));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == intruder.Window(); }, 5s));
    for (int i = 0; i < 20; ++i, std::this_thread::sleep_for(250ms)) ASSERT_TRUE(PressKey('X'));
    EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, 120s), L"Ready"));
    const std::vector<std::string> got = intruder.KeysReceived();
    EXPECT_EQ(std::count_if(got.begin(), got.end(), [](const std::string& line) {
                  return line.ends_with(" key vk=0x58 foreground=yes");
              }), 20) << "letters of 20 that reached the other program while it was in front";
    for (const InstallerRun& run : ReadInstallerLog(log))
        EXPECT_EQ(std::count_if(run.keys.begin(), run.keys.end(), [](const LoggedKey& k) { return k.key == "OTHER"; }), 0)
            << "letters that reached " << run.commandLine;
    ExitAndExpectGone();
}

// Another program takes the foreground while an installer waits for its
// keys. For every file but the last, Quelbrin wins the window back and the
// passes go on; for the last it holds its keys until the user brings the
// installer back. The other program never gets a key.
TEST_F(ReliabilityInstaller, AnotherProgramInFrontNeverGetsTheKeys) {
    quelbrin::test::ReliabilityCase("Installer", "another program takes the foreground when a pass is due",
                                    "files 1-2: Quelbrin wins the installer back and its keys land there; last file: passes come due and hold their keys (Quelbrin counts them) until the user brings the installer back; the other program gets no key at all");
    quelbrin::test::ReliabilityCase("Installer", "another program stays in front of the last file's window",
                                    R"~(Status2 comes to read "Waiting for the installer's window to be in front"; once that window is in front again the countdown comes back and the batch ends "Ready")~");
    // Files 1-2 need passes enough to go on well after the grab.
    const std::wstring log = PlaceSubstituteWith(folder_, L"app", L"InstallHFZ.exe", {.passes = 8}, {"passes@C.hfz=3"});
    const std::wstring packages = MakePackages(L"packages", {L"A.hfz", L"B.hfz", L"C.hfz"});
    Intruder intruder(folder_ / L"intruder.log", L"Quelbrin test: another program");
    ASSERT_TRUE(intruder.WaitUntilReady(20s)) << "the other program did not start";
    StartAndWaitForWindow();
    ASSERT_TRUE(RunBatch(packages, 3));

    for (std::size_t file = 0; file < 3; ++file) {
        SCOPED_TRACE("file " + std::to_string(file));
        ASSERT_TRUE(WaitForRun(log, file, [](const InstallerRun& run) { return run.windowShown.has_value(); }))
            << "the installer's window did not show";
        const std::optional<long long> grabbed = intruder.Grab(5s);
        ASSERT_TRUE(grabbed.has_value()) << "the other program did not take the foreground";
        const InstallerRun atGrab = ReadInstallerLog(log)[file];
        ASSERT_FALSE(atGrab.windowClosed.has_value()) << "the window closed before the other program took the front";

        if (file < 2) {
            ASSERT_TRUE(WaitForRun(log, file, [](const InstallerRun& run) { return run.windowClosed.has_value(); }))
                << "Quelbrin did not win the installer's window back";
            const InstallerRun run = ReadInstallerLog(log)[file];
            EXPECT_EQ(run.closeReason, "passes");
            EXPECT_LT(atGrab.passes, 8) << "all passes were in before the grab";
            EXPECT_TRUE(std::any_of(run.keys.begin(), run.keys.end(),
                                    [&](const LoggedKey& k) { return k.time >= *grabbed && k.foreground; }))
                << "no keys reached the installer after the other program had taken the foreground";
            continue;
        }
        // The last file: no activation, so no keys while the other program is
        // in front. Two more passes held back: the second came due wholly
        // after the grab, and typed nothing.
        const std::optional<long long> heldBefore = HeldBackPasses(*app_);
        ASSERT_TRUE(heldBefore.has_value()) << "Quelbrin did not say how many passes it held back";
        EXPECT_TRUE(WaitUntil([&] { return HeldBackPasses(*app_).value_or(0) >= *heldBefore + 2; }, 30s))
            << "no pass came due and was held back while the other program was in front";
        InstallerRun run = ReadInstallerLog(log)[file];
        EXPECT_FALSE(run.windowClosed.has_value());
        EXPECT_TRUE(std::none_of(run.keys.begin(), run.keys.end(),
                                 [&](const LoggedKey& k) { return k.time >= *grabbed; }))
            << "keys were typed while another program was in front";
        const std::vector<std::string> taken = intruder.KeysReceived();
        ASSERT_TRUE(taken.empty()) << taken.size() << " keys reached the other program in front, the first: " << taken.front();
        EXPECT_EQ(Text(IdStatus2), L"0 .hfz files remaining of 3 total");
        EXPECT_TRUE(Responsive(*app_));
        EXPECT_TRUE(WaitForText(IdStatus2, L"Waiting for the installer's window to be in front", 30s));
        // The user clicks the installer's window: the passes resume.
        const auto window = FindTopLevel(L"Installing  " + packages + L"\\C.hfz");
        ASSERT_TRUE(window.has_value());
        SetForegroundWindow(window->hwnd);
        EXPECT_TRUE(WaitForText(IdStatus2, L"0 .hfz files remaining of 3 total", 30s));
    }
    const CommandEnd end = WaitForCommandEnd(*app_, 60s);
    EXPECT_TRUE(EndedWith(end, L"Ready"));
    EXPECT_EQ(Text(IdStatus1), L"C.hfz installed");

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 3u);
    for (const InstallerRun& run : runs) {
        EXPECT_EQ(run.passes, &run == &runs.back() ? 3 : 8);
        for (const LoggedKey& key : run.keys) EXPECT_TRUE(key.foreground) << key.key << " reached a window in the back";
    }
    const std::vector<std::string> stolen = intruder.KeysReceived();
    EXPECT_TRUE(stolen.empty()) << stolen.size() << " keys reached the other program, the first: " << stolen.front();
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
