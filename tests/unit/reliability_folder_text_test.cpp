// Folder texts that name no folder, on the fake platform.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/test_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::test {
namespace {

// An emptied folder box must not leave the last folder's files listed: the
// install commands would join the empty text and a name into "\name".
TEST(EmptyFolderText, SaysInvalidPathAndNothingIsInstalled) {
    quelbrin::test::ReliabilityCase("Folder text", "the folder box emptied",
                                    "\"Invalid path\"; neither install command starts anything; the next "
                                    "folder lists and installs again");
    quelbrin::test::ReliabilityNote(
        "An emptied folder box used to keep the previous folder's files listed with their count, and an install "
        "then went to `\\name`; it now says \"Invalid path\" (`EmptyFolderText.*`).");
    InstallHarness h({"a.hfz"});
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
    EXPECT_EQ(h.Launched(), std::vector<std::string>{"C:\\Quelbrin\\InstallHFZ.exe C:\\Quelbrin\\a.hfz"});
}

// A Harness on "C:\Quelbrin" with a.hfz: each text, typed after that folder, says "Invalid path".
void ExpectEachInvalid(Harness& h, std::initializer_list<const char*> texts) {
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        h.Window().txPath.SetText("C:\\Quelbrin");
        ASSERT_EQ(h.Status2(), "1 .hfz files");
        h.Window().txPath.SetText(text);
        EXPECT_EQ(h.Status2(), "Invalid path");
    }
}

// Texts of blanks and patterns are no folders either. Windows drops the
// blanks and lists the current folder; a pattern it refuses by itself.
TEST(EmptyFolderText, BlanksAndPatternsAreInvalidToo) {
    quelbrin::test::ReliabilityCase("Folder text", "blanks and patterns",
                                    "\"Invalid path\", not the current folder's files");
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.fake.files.currentFolder = "C:\\Windows\\System32";
    h.fake.files.AddFile(h.fake.files.currentFolder, "b.hfz");
    h.Start();
    ExpectEachInvalid(h, {" ", "   ", "C:\\*", "C:\\a?c"});
}

// The folder box lists at each keystroke. Typing "\\nas\fx" must not send
// "\\n", "\\na", ... to the network: Windows would look each partial server
// name up on the UI thread, seconds per keystroke.
TEST(NetworkFolderText, TypingAServerNameNeverLooksItUp) {
    NetworkFolderTextCase();
    Harness h;
    h.fake.files.AddFile("\\\\nas\\fx", "a.hfz");
    h.Start();
    const std::string typed = "\\\\nas\\fx";
    for (std::size_t length = 1; length < typed.size() - 1; ++length) {
        SCOPED_TRACE(typed.substr(0, length));
        h.Window().txPath.SetText(typed.substr(0, length));
        EXPECT_EQ(h.Status2(), "Invalid path");
        EXPECT_TRUE(h.fake.files.networkLookups.empty()) << h.fake.files.networkLookups.front();
    }
    h.Window().txPath.SetText("\\\\nas\\f");  // a share that does not exist
    EXPECT_EQ(h.Status2(), "Invalid path");
    h.Window().txPath.SetText(typed);
    EXPECT_EQ(h.Status2(), "1 .hfz files");
    EXPECT_EQ(h.fake.files.networkLookups, (std::vector<std::string>{"\\\\nas\\f", typed}));
}

TEST(NetworkFolderText, PathsWithoutAShareInEverySpellingAreInvalidWithoutALookup) {
    NetworkFolderTextCase();
    Harness h;
    h.fake.files.AddFile("C:\\Quelbrin", "a.hfz");
    h.Start();
    ExpectEachInvalid(h, {"\\\\", "//", "\\\\se", "//se", "\\/se/", "/\\se\\", "\\\\se\\\\",
                          "\\\\?\\UNC\\", "\\\\?\\UNC\\se", "\\\\?\\unc\\se\\", "\\\\.\\UNC\\se"});
    EXPECT_TRUE(h.fake.files.networkLookups.empty()) << h.fake.files.networkLookups.front();
}

}  // namespace
}  // namespace quelbrin::test
