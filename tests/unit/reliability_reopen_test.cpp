// Installers that close their window and, still running, show it again.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

struct TwoFiles : Harness {
    TwoFiles() {
        fake.files.files.insert("C:\\Quelbrin\\InstallHFZ.exe");
        fake.files.AddFile("C:\\Quelbrin", "a.hfz");
        fake.files.AddFile("C:\\Quelbrin", "b.hfz");
    }
    int SendsInto(const std::string& file) const {
        int n = 0;
        for (const auto& send : fake.desktop.sends) n += send.foregroundTitle == "Installing  C:\\Quelbrin\\" + file;
        return n;
    }
};

TEST(ReopeningInstaller, ItsSecondWindowIsAnsweredBeforeTheNextFileStarts) {
    TwoFiles h;
    fake::InstallerScript reopens;
    reopens.passesNeeded = 2;
    reopens.reopenAfterMs = 300;
    h.fake.desktop.scripts = {reopens, reopens};
    h.Start();
    ASSERT_NO_THROW(h.form->BtStart_Click());

    EXPECT_EQ(h.Status2(), "Ready");
    EXPECT_EQ(h.Status1(), "b.hfz installed");
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.fake.desktop.maxInstallersAtOnce, 1) << "b.hfz started while a.hfz's installer ran";
    EXPECT_EQ(h.SendsInto("a.hfz"), 4);
    EXPECT_EQ(h.SendsInto("b.hfz"), 4);
    EXPECT_EQ(h.fake.desktop.RunningInstallers(), 0);
}

// The wait for a window to come back is short: an installer that stays
// without a window longer counts as done, and nothing hangs.
TEST(ReopeningInstaller, OneThatStaysWindowlessLongerCountsAsDone) {
    TwoFiles h;
    fake::InstallerScript late;
    late.reopenAfterMs = 1000000;
    h.fake.desktop.scripts = {late};
    h.Start();
    ASSERT_NO_THROW(h.form->BtStart_Click());

    EXPECT_EQ(h.Status2(), "Ready");
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.SendsInto("a.hfz"), 1);
    // About a second for the window to come back, from the pass that closed it.
    const std::int64_t grace = h.fake.desktop.launches[1].atMs - h.fake.desktop.sends[0].atMs;
    EXPECT_GE(grace, 1000);
    EXPECT_LT(grace, 1100);
}

// An installer that ends right after closing its window costs no wait.
TEST(ReopeningInstaller, AnEndedInstallerIsNotWaitedFor) {
    TwoFiles h;
    h.Start();
    ASSERT_NO_THROW(h.form->BtStart_Click());
    EXPECT_EQ(h.Status2(), "Ready");
    ASSERT_EQ(h.fake.desktop.launches.size(), 2u);
    EXPECT_EQ(h.fake.desktop.launches[1].atMs, h.fake.desktop.sends[0].atMs);
}

}  // namespace
}  // namespace quelbrin::test
