// The About and settings dialog replaces the installer for the rest of the run.
#include "tests/e2e/e2e_fixture.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class AboutDialog : public E2eTest {
protected:
    HWND WaitForDialog() {
        std::optional<TopWindow> dialog;
        WaitUntil([&] {
            dialog = FindTopLevel(L"'bout 'n settings", app_->Id());
            return dialog && dialog->visible;
        }, 10s);
        return dialog && dialog->visible ? dialog->hwnd : nullptr;
    }
};

TEST_F(AboutDialog, ShowsTheInstallerPathAndATypedPathIsUsedNext) {
    const std::wstring localLog = PlaceInstaller({});
    const std::wstring otherLog = PlaceSubstitute(folder_, L"other", L"ClubInstall.exe", {});
    const std::wstring packages = MakePackages(L"packages", {L"Fire.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus1, L"Fire.hfz", 5s));

    ASSERT_TRUE(app_->Click(IdBtAbout));
    HWND dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr) << "the dialog did not open";
    EXPECT_EQ(ControlText(dialog, IdTxPathInst).value_or(L"<unreadable>"),
              AppFolder() + L"\\InstallHFZ.exe");
    EXPECT_FALSE(app_->Enabled(IdBtInst) && IsWindowEnabled(app_->MainWindow()))
        << "the main window takes input while the dialog is open";

    const std::wstring other = folder_ / L"other\\ClubInstall.exe";
    ASSERT_TRUE(SetControlText(dialog, IdTxPathInst, other));
    ASSERT_TRUE(PostClick(dialog, IdOKButton));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s)) << "OK did not close the dialog";

    ASSERT_TRUE(app_->Click(IdBtInst));
    ASSERT_TRUE(WaitUntil([&] { return Text(IdStatus2) == L"Ready" && app_->Enabled(IdBtInst); }, 60s))
        << "Status2 reads \"" << Utf8(Text(IdStatus2)) << "\"";
    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz installed");

    EXPECT_TRUE(ReadInstallerLog(localLog).empty()) << "the old installer was started";
    const auto runs = ReadInstallerLog(otherLog);
    ASSERT_EQ(runs.size(), 1u) << "the typed installer was not started";
    EXPECT_EQ(runs[0].commandLine, Utf8(other + L" " + packages + L"\\Fire.hfz"));
    EXPECT_EQ(runs[0].closeReason, "passes");

    // It opens again with the typed path; closing it with the close box keeps that path.
    ASSERT_TRUE(app_->Click(IdBtAbout));
    dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IdTxPathInst).value_or(L"<unreadable>"), other);
    ASSERT_TRUE(SetControlText(dialog, IdTxPathInst, L"Z:\\discarded.exe"));
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s)) << "the close box did not close the dialog";
    ASSERT_TRUE(app_->Click(IdBtAbout));
    dialog = WaitForDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IdTxPathInst).value_or(L"<unreadable>"), other);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }, 10s));
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
