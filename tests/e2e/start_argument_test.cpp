// Quelbrin started with a folder or a package on its command line, as
// Explorer's "Send to" starts it.
#include "tests/e2e/e2e_fixture.h"

#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class StartArgument : public E2eTest {
protected:
    void SetUp() override {
        PlaceInstaller({});
        MakePackages(L"app", {L"Own.hfz"});
        packages_ = MakePackages(L"my effects", {L"Fire.hfz", L"Ice.hfz", L"Snow.hfz"});
    }
    // Starts with these arguments; ends the run before when there is one.
    void Restart(const std::wstring& arguments) {
        if (app_) app_->EndAll();
        StartAndWaitForWindow(arguments);
    }
    std::optional<ListState> ListNow() { return app_->List(IdFileList); }
    std::wstring packages_;
};

TEST_F(StartArgument, FolderPackageMissingPathOrNone) {
    quelbrin::test::ReliabilityCase("Start argument", "a path on the command line that does not exist",
                                    R"~(the window opens with the path in the folder box and "Invalid path", no message box)~");
    // A folder, quoted with its trailing "\" as a shell may pass it; a
    // second argument is not looked at.
    Restart(L"\"" + packages_ + L"\\\" \"" + AppFolder() + L"\"");
    EXPECT_EQ(Text(IdTxPath), packages_);
    EXPECT_TRUE(WaitForText(IdStatus2, L"3 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz");

    // A package: its folder, that file selected.
    Restart(L"\"" + packages_ + L"\\ice.hfz\"");
    EXPECT_EQ(Text(IdTxPath), packages_);
    EXPECT_TRUE(WaitForText(IdStatus2, L"3 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"Ice.hfz");
    const auto list = ListNow();
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->selected, 1);

    // A path that does not exist: as typed into the folder box.
    const std::wstring missing = folder_ / L"no such folder\\Fire.hfz";
    Restart(L"\"" + missing + L"\"");
    EXPECT_EQ(Text(IdTxPath), missing);
    EXPECT_TRUE(WaitForText(IdStatus2, L"Invalid path", 5s));
    EXPECT_TRUE(app_->AnswerAllBoxes().empty()) << "a message box for a missing path";

    // None: the program's own folder, as always.
    Restart(L"");
    EXPECT_EQ(Text(IdTxPath), AppFolder());
    EXPECT_TRUE(WaitForText(IdStatus2, L"1 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"Own.hfz");
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
