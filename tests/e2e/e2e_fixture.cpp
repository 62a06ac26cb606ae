#include "tests/e2e/e2e_fixture.h"

#include "platform/win32/utf.h"

namespace quelbrin::e2e {

namespace {

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

}  // namespace

std::string Utf8(const std::wstring& text) { return win32::Narrow(text); }

void ExpectEachAfterThePreviousWindowClosed(const std::vector<InstallerRun>& runs) {
    for (std::size_t i = 1; i < runs.size(); ++i) {
        ASSERT_TRUE(runs[i - 1].windowClosed.has_value()) << "the window of run " << i - 1 << " never closed";
        EXPECT_GE(runs[i].started, *runs[i - 1].windowClosed)
            << "run " << i << " started before the window of run " << i - 1 << " had closed";
    }
}

E2eTest::E2eTest() : folder_(CurrentTestName()) {
    folder_.MakeFolder(L"app");
    folder_.CopyIn(QuelbrinExe(), L"app\\Quelbrin.exe");
}

void E2eTest::TearDown() {
    if (!app_) return;
    // A message box nobody expected would hold the program: answer it, and say so.
    for (const std::wstring& box : app_->AnswerAllBoxes())
        ADD_FAILURE() << "message box left open at the end: " << Utf8(box);
    app_->EndAll();
    EXPECT_TRUE(app_->HasExited());
    EXPECT_TRUE(app_->RunningChildren().empty()) << "an installer is still running";
    app_.reset();
}

std::wstring E2eTest::PlaceInstaller(const SubstituteConfig& config, const std::wstring& name) {
    return PlaceSubstitute(folder_, L"app", name, config);
}

std::wstring E2eTest::MakePackages(const std::wstring& relative,
                                   const std::vector<std::wstring>& names) {
    const std::wstring path = folder_.MakeFolder(relative);
    for (const std::wstring& name : names)
        folder_.WriteFile(relative + L"\\" + name, "HFZ package " + Utf8(name) + "\n");
    return path;
}

void E2eTest::Start(const std::wstring& arguments) {
    app_ = std::make_unique<QuelbrinRun>(AppFolder() + L"\\Quelbrin.exe", startFolder_,
                                         folder_ / L"quelbrin-output.txt", arguments);
}

void E2eTest::StartAndWaitForWindow(const std::wstring& arguments) {
    Start(arguments);
    if (app_->WaitForMainWindow(20s) != nullptr) return;
    std::string boxes;
    for (const std::wstring& box : app_->AnswerAllBoxes()) boxes += " [" + Utf8(box) + "]";
    FAIL() << "no main window within 20 s; message boxes:" << (boxes.empty() ? " none" : boxes);
}

void E2eTest::ExitAndExpectGone() {
    ASSERT_TRUE(app_->Click(layout::IdBtExit));
    EXPECT_TRUE(app_->WaitForExit(10s)) << "Quelbrin did not end within 10 s of Cancel / Exit";
}

E2eTest::EndlessInstall E2eTest::StartAnInstallThatNeverEnds(std::size_t keys) {
    EndlessInstall install{PlaceInstaller({.mode = "ignorekeys"}), MakePackages(L"packages", {L"Stubborn.hfz"})};
    StartAndWaitForWindow();
    EXPECT_TRUE(app_->SetText(layout::IdTxPath, install.packages));
    EXPECT_TRUE(WaitForText(layout::IdStatus1, L"Stubborn.hfz", 5s));
    EXPECT_TRUE(app_->Click(layout::IdBtInst));
    EXPECT_TRUE(WaitUntil([&] {
        const auto runs = ReadInstallerLog(install.log);
        return runs.size() == 1 && runs[0].keys.size() >= keys;
    }, 30s)) << "the installer window got fewer than " << keys << " keys";
    return install;
}

std::vector<std::wstring> E2eTest::Status2UntilTheEnd(std::chrono::milliseconds timeout) {
    std::vector<std::wstring> shown;
    WaitUntil(
        [&] {
            const std::wstring status = Text(layout::IdStatus2);
            if (shown.empty() || shown.back() != status) shown.push_back(status);
            return status == L"Ready" || status.rfind(L"Error: ", 0) == 0 || app_->HasExited();
        },
        timeout, 10ms);
    return shown;
}

::testing::AssertionResult E2eTest::WaitForText(int id, const std::wstring& expected,
                                                std::chrono::milliseconds timeout) {
    std::wstring last;
    if (WaitUntil([&] { return (last = app_->Text(id)) == expected; }, timeout))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "control " << id << " reads \"" << Utf8(last)
                                         << "\", expected \"" << Utf8(expected) << "\"";
}

}  // namespace quelbrin::e2e
