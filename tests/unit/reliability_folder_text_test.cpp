// Folder texts that name no folder, on the fake platform.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

// An emptied folder box must not leave the last folder's files listed: the
// install commands would join the empty text and a name into "\name".
TEST(EmptyFolderText, SaysInvalidPathAndNothingIsInstalled) {
    Harness h;
    h.fake.files.files.insert("C:\\Quelbrin\\InstallHFZ.exe");
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.Start();
    ASSERT_EQ(h.Status2(), "1 .hfz files");

    h.Window().txPath.SetText("");
    EXPECT_EQ(h.Status2(), "Invalid path");
    EXPECT_EQ(h.Window().txPath.Text(), "");

    h.form->BtInst_Click();
    h.form->BtStart_Click();
    EXPECT_TRUE(h.fake.desktop.launches.empty()) << h.fake.desktop.launches[0].commandLine;
    EXPECT_TRUE(h.fake.ui.messageBoxes.empty()) << "the batch warning came up";
    EXPECT_EQ(h.Status2(), "Invalid path");
    EXPECT_TRUE(h.Window().btInst.Enabled());

    h.Window().txPath.SetText("C:\\Quelbrin");
    EXPECT_EQ(h.Status2(), "1 .hfz files");
    h.form->BtInst_Click();
    ASSERT_EQ(h.fake.desktop.launches.size(), 1u);
    EXPECT_EQ(h.fake.desktop.launches[0].commandLine, "C:\\Quelbrin\\InstallHFZ.exe C:\\Quelbrin\\a.hfz");
}

// Texts of blanks, patterns and device names are no folders either.
TEST(EmptyFolderText, BlanksAndPatternsAreInvalidToo) {
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.Start();
    for (const char* text : {" ", "   ", "C:\\*", "NUL"}) {
        SCOPED_TRACE(text);
        h.Window().txPath.SetText("C:\\Quelbrin");
        ASSERT_EQ(h.Status2(), "1 .hfz files");
        h.Window().txPath.SetText(text);
        EXPECT_EQ(h.Status2(), "Invalid path");
    }
}

}  // namespace
}  // namespace quelbrin::test
