#include "tests/e2e/e2e_fixture.h"

#include <algorithm>

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
    status2_.reset();
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
    if (HWND main = app_->WaitForMainWindow(20s)) {
        status2_ = std::make_unique<TextChanges>(GetDlgItem(main, layout::IdStatus2));
        return;
    }
    std::string boxes;
    for (const std::wstring& box : app_->AnswerAllBoxes()) boxes += " [" + Utf8(box) + "]";
    FAIL() << "no main window within 20 s; message boxes:" << (boxes.empty() ? " none" : boxes);
}

void E2eTest::ExitAndExpectGone() {
    ASSERT_TRUE(app_->Click(layout::IdBtExit));
    EXPECT_TRUE(app_->WaitForExit(10s)) << "Quelbrin did not end within 10 s of Cancel / Exit";
}

std::wstring E2eTest::StartListing(const SubstituteConfig& config, const std::vector<std::wstring>& names) {
    const std::wstring log = PlaceInstaller(config);
    packages_ = MakePackages(L"packages", names);
    StartAndWaitForWindow();
    EXPECT_TRUE(List(packages_, names.size()));
    return log;
}

std::string E2eTest::CommandLineFor(const std::wstring& name) const {
    return Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages_ + L"\\" + name);
}

::testing::AssertionResult E2eTest::List(const std::wstring& packages, std::size_t count) {
    if (!app_->SetText(layout::IdTxPath, packages)) return ::testing::AssertionFailure() << "the folder box took no text";
    ::testing::AssertionResult listed = WaitForText(layout::IdStatus2, std::to_wstring(count) + L" .hfz files", 10s);
    if (listed && status2_) status2Mark_ = status2_->Texts().size();
    return listed;
}

::testing::AssertionResult E2eTest::AnswerBatchWarning() {
    const auto warning = app_->AnswerBox(L"Quelbrin", 20s);
    if (!warning)
        return ::testing::AssertionFailure() << "no warning before the batch; Status2 reads \""
                                             << Utf8(Text(layout::IdStatus2)) << "\"";
    if (*warning != L"Do not close any of the installation windows!")
        return ::testing::AssertionFailure() << "the warning reads \"" << Utf8(*warning) << "\"";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult E2eTest::RunBatch(const std::wstring& packages, std::size_t count) {
    if (::testing::AssertionResult listed = List(packages, count); !listed) return listed;
    if (!app_->Click(layout::IdBtStart)) return ::testing::AssertionFailure() << "could not press Install All Files";
    return AnswerBatchWarning();
}

::testing::AssertionResult E2eTest::WaitForRun(const std::wstring& log, std::size_t index,
                                               const std::function<bool(const InstallerRun&)>& holds,
                                               std::chrono::milliseconds timeout) {
    std::size_t seen = 0;
    if (WaitUntil([&] {
            const auto runs = ReadInstallerLog(log);
            seen = runs.size();
            return runs.size() > index && holds(runs[index]);
        }, timeout))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "installer run " << index << " did not get there (" << seen << " runs logged)";
}

E2eTest::EndlessInstall E2eTest::StartAnInstallThatNeverEnds(std::size_t keys) {
    EndlessInstall install{PlaceInstaller({.mode = "ignorekeys"}), MakePackages(L"packages", {L"Stubborn.hfz"})};
    StartAndWaitForWindow();
    EXPECT_TRUE(List(install.packages, 1));
    EXPECT_TRUE(app_->Click(layout::IdBtInst));
    EXPECT_TRUE(WaitForRun(install.log, 0, [&](const InstallerRun& run) { return run.keys.size() >= keys; }))
        << "the installer window got fewer than " << keys << " keys";
    return install;
}

std::vector<std::wstring> E2eTest::Status2UntilTheEnd(std::chrono::milliseconds timeout) {
    std::vector<std::wstring> shown;
    WaitUntil(
        [&] {
            mostAtOnce_ = std::max(mostAtOnce_, app_->RunningChildren().size());
            const std::vector<std::wstring> texts = status2_ ? status2_->Texts() : std::vector<std::wstring>{};
            shown.assign(texts.begin() + static_cast<std::ptrdiff_t>(std::min(status2Mark_, texts.size())), texts.end());
            if (shown.empty()) return app_->HasExited();
            const std::wstring& status = shown.back();
            return status == L"Ready" || status.rfind(L"Error: ", 0) == 0 || app_->HasExited();
        },
        timeout, 10ms);
    if (status2_) status2Mark_ = status2_->Texts().size();
    if (shown.empty()) shown.push_back(Text(layout::IdStatus2));
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
