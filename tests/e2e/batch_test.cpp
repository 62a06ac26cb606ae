// "Install All Files": a batch of three packages, one installer after another.
#include <algorithm>

#include "tests/e2e/e2e_fixture.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class InstallAll : public E2eTest {};

TEST_F(InstallAll, InstallsEveryFileInListOrderOneAtATime) {
    const std::wstring log = PlaceInstaller({.passes = 2});
    // Created out of order: the list, and so the batch, goes by name.
    const std::wstring packages = MakePackages(L"my packages", {L"Snow.hfz", L"Fire.hfz", L"Ocean Waves.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    ASSERT_TRUE(WaitForText(IdStatus2, L"3 .hfz files", 5s));

    ASSERT_TRUE(app_->Click(IdBtStart));
    const auto warning = app_->AnswerBox(L"Quelbrin", 20s);
    ASSERT_TRUE(warning.has_value()) << "no warning before the batch";
    EXPECT_EQ(*warning, L"Do not close any of the installation windows!");

    // Every text Status2 shows, in order, and how many installers ran at once.
    std::vector<std::wstring> shown;
    std::size_t mostAtOnce = 0;
    const bool done = WaitUntil(
        [&] {
            mostAtOnce = std::max(mostAtOnce, app_->RunningChildren().size());
            const std::wstring status = Text(IdStatus2);
            if (shown.empty() || shown.back() != status) shown.push_back(status);
            return status == L"Ready" || status.rfind(L"Error: ", 0) == 0 || app_->HasExited();
        },
        120s, 10ms);
    ASSERT_TRUE(done) << "the batch did not end; Status2 reads \"" << Utf8(shown.back()) << "\"";
    ASSERT_EQ(shown.back(), L"Ready");
    EXPECT_EQ(Text(IdStatus1), L"Snow.hfz installed");
    EXPECT_TRUE(app_->Enabled(IdBtStart) && app_->Enabled(IdBtInst) && app_->Enabled(IdFileList));

    // Each file's countdown stays up for at least two passes of keys, long
    // enough for the polls to see every one of them.
    if (!shown.empty() && shown.front() == L"3 .hfz files") shown.erase(shown.begin());
    const std::vector<std::wstring> expected = {L"2 .hfz files remaining of 3 total",
                                                L"1 .hfz files remaining of 3 total",
                                                L"0 .hfz files remaining of 3 total", L"Ready"};
    EXPECT_EQ(shown, expected);

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 3u);
    const std::wstring names[] = {L"Fire.hfz", L"Ocean Waves.hfz", L"Snow.hfz"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(Utf8(names[i]));
        EXPECT_EQ(runs[i].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\" + names[i]));
        EXPECT_EQ(runs[i].passes, 2);
        EXPECT_EQ(runs[i].closeReason, "passes");
        ASSERT_TRUE(runs[i].windowClosed.has_value());
        for (const LoggedKey& key : runs[i].keys) EXPECT_TRUE(key.foreground) << key.key;
    }
    ExpectEachAfterThePreviousWindowClosed(runs);
    EXPECT_EQ(mostAtOnce, 1u) << "two installers ran at once";
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
