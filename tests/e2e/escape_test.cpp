// Esc while an installer runs ends Quelbrin, as "Cancel / Exit" does.
#include "tests/e2e/e2e_fixture.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class EscapeKey : public E2eTest {};

TEST_F(EscapeKey, EndsQuelbrinDuringAnInstall) {
    // An installer that never closes: the install is still running when Esc comes.
    const std::wstring log = StartAnInstallThatNeverEnds(1).log;
    ASSERT_FALSE(HasFailure());
    ASSERT_EQ(Text(IdStatus2), L"Installing selected file...");

    // The key press as the main window's queue gets it from the keyboard;
    // the program ends on it, before any key-up could arrive.
    HWND main = app_->MainWindow();
    ASSERT_NE(main, nullptr);
    const LPARAM down = 1 | (MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC) << 16);
    ASSERT_TRUE(PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, down));
    EXPECT_TRUE(app_->WaitForExit(10s)) << "Quelbrin did not end within 10 s of Esc";

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_FALSE(runs[0].exited.has_value()) << "the installer ended with Quelbrin";
    // TearDown ends the installer.
}

}  // namespace
}  // namespace quelbrin::e2e
