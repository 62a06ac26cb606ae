// "Install All Files": a batch of three packages, one installer after another.
#include "tests/e2e/e2e_fixture.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class InstallAll : public E2eTest {};

TEST_F(InstallAll, InstallsEveryFileInListOrderOneAtATime) {
    // Each window stays up a while after its last pass, as a real installer's
    // does while it copies: the next file must wait for the window, not the keys.
    const std::wstring log = PlaceInstaller({.passes = 2, .closingMs = 1500});
    // Created out of order: the list, and so the batch, goes by name.
    packages_ = MakePackages(L"my packages", {L"Snow.hfz", L"Fire.hfz", L"Ocean Waves.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(RunBatch(packages_, 3));

    // Every text Status2 shows, in order, and how many installers ran at once.
    const std::vector<std::wstring> shown = Status2UntilTheEnd(120s);
    ASSERT_EQ(shown.back(), L"Ready");
    EXPECT_EQ(Text(IdStatus1), L"Snow.hfz installed");
    EXPECT_TRUE(app_->Enabled(IdBtStart) && app_->Enabled(IdBtInst) && app_->Enabled(IdFileList));
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"2 .hfz files remaining of 3 total", L"1 .hfz files remaining of 3 total",
                                                L"0 .hfz files remaining of 3 total", L"Ready"}));

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 3u);
    const std::wstring names[] = {L"Fire.hfz", L"Ocean Waves.hfz", L"Snow.hfz"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(Utf8(names[i]));
        EXPECT_EQ(runs[i].commandLine, CommandLineFor(names[i]));
        EXPECT_EQ(runs[i].passes, 2);
        EXPECT_EQ(runs[i].closeReason, "passes");
        for (const LoggedKey& key : runs[i].keys) EXPECT_TRUE(key.foreground) << key.key;
    }
    ExpectEachAfterThePreviousWindowClosed(runs);
    EXPECT_EQ(mostAtOnce_, 1u) << "two installers ran at once";
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
