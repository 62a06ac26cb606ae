// What Wine lets us show of the Windows our users have: an installer of the
// old kind (ANSI, owned by a hidden window, a box of its own), and the keys
// a user presses on Quelbrin itself while it installs.
#include <regex>

#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/real_input.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class OldWindows : public E2eTest {};

TEST_F(OldWindows, AnAnsiInstallerWithAHiddenOwnerAndABoxOfItsOwnFinishesABatchOfCyrillicAndCjkNames) {
    quelbrin::test::ReliabilityCase("Answer loop", "the installer's window hangs off a hidden owner and shows a box of its own",
                                    "the box, not the disabled window, is activated; keys to a box owned by the installer's window go out, also when a launcher started the installer; the batch finishes");
    quelbrin::test::ReliabilityCase("Answer loop", "an ANSI installer, Cyrillic and CJK names (code page 1252)",
                                    R"~(each package reaches the installer as a path it can open (its short form); its window and box are answered and the batch ends with "Ready")~");
    ASSERT_EQ(GetACP(), 1252u) << "Wine's locale must give the ANSI code page 1252 (a UTF-8 one gives 65001)";
    folder_.CopyIn(WinePath(OLD_INSTALLER_EXE), L"app\\InstallHFZ.exe");
    const std::wstring packages = MakePackages(L"\u0424\u0435\u0439\u0435\u0440\u0432\u0435\u0440\u043A",
                                               {L"\u041E\u0433\u043E\u043D\u044C.hfz", L"\u82B1\u706B.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(RunBatch(packages, 2));
    ASSERT_TRUE(WaitForText(IdStatus2, L"Ready", 90s));
    EXPECT_EQ(Text(IdStatus1), L"\u82B1\u706B.hfz installed");
    // Each installer opened the path it got (no "?" for letters 1252 lacks) and was answered.
    const std::string log = ReadFile(AppFolder() + L"\\InstallHFZ.exe.log");
    EXPECT_TRUE(std::regex_match(log, std::regex(R"(((open ([^?\s]+)\r\nbox \3\r\ndone \3\r\n){2}))"))) << log;
    ExitAndExpectGone();
}

TEST_F(OldWindows, EscRightAfterAMouseClickOnInstallEndsQuelbrin) {
    quelbrin::test::ReliabilityCase("Answer loop", R"~(Esc right after a mouse click on "Install Selected File")~",
                                    "a real click and a real Esc key (SendInput): Quelbrin ends, though the clicked button, which had the focus, was disabled");
    PlaceInstaller({.delayMs = 60000});  // no window for a minute: Quelbrin stays busy, waiting
    const std::wstring packages = MakePackages(L"fx", {L"Fire.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus1, L"Fire.hfz", 10s));

    SetForegroundWindow(app_->MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == app_->MainWindow(); }, 10s));
    ASSERT_TRUE(ClickWithMouse(GetDlgItem(app_->MainWindow(), IdBtInst)));
    ASSERT_TRUE(WaitForText(IdStatus2, L"Installing selected file...", 10s));
    ASSERT_FALSE(app_->Enabled(IdBtInst));  // the clicked button, which had the focus, is disabled
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    EXPECT_TRUE(app_->WaitForExit(10s)) << "Esc did nothing while the install ran";
}

}  // namespace
}  // namespace quelbrin::e2e
