#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

TEST(StartUp, ListsTheProgramFolderSortedAndSelectsTheFirst) {
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "zeta.hfz");
    h.fake.files.AddFile("C:\\Quelbrin", "Alpha.HFZ");
    h.fake.files.AddFile("C:\\Quelbrin", "beta.hfz");
    h.fake.files.AddFile("C:\\Quelbrin", "notes.txt");
    h.Start();
    EXPECT_EQ(h.Window().txPath.Text(), "C:\\Quelbrin");
    EXPECT_EQ(h.Status2(), "3 .hfz files");
    EXPECT_EQ(h.Status1(), "Alpha.HFZ");
    auto& list = h.Window().fileList;
    ASSERT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.List(0), "Alpha.HFZ");
    EXPECT_EQ(list.List(1), "beta.hfz");
    EXPECT_EQ(list.List(2), "zeta.hfz");
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_TRUE(h.Window().shown);
}

}  // namespace
}  // namespace quelbrin::test
