// What became of each file of the last install command: the marks in the
// list, the report "Copy Report" puts on the clipboard, the exit codes.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/unit/test_support.h"

namespace quelbrin::test {
namespace {

using fake::InstallerScript;
using Shape = FileMarkShape;

// The clipboard's table, its cells by line; every line must end in CR LF
// and give the seconds with one decimal.
std::vector<std::vector<std::string>> CopiedTable(InstallHarness& h) {
    h.fake.ui.clipboard.clear();
    h.ChooseFromMenu(0, "Copy Report");
    std::vector<std::vector<std::string>> rows;
    std::string text = h.fake.ui.clipboard;
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2)) {
        std::vector<std::string>& row = rows.emplace_back();
        std::stringstream line(text.substr(0, end) + "\t");
        for (std::string cell; std::getline(line, cell, '\t');) row.push_back(cell);
        const bool seconds = rows.size() == 1 || row.size() < 4 || row[1] == "not reached" ||
                             std::regex_match(row[3], std::regex("[0-9]+\\.[0-9]"));  // one decimal, a point
        EXPECT_TRUE(seconds) << text.substr(0, end);
    }
    EXPECT_EQ(text, "") << "a line without CR LF";
    EXPECT_TRUE(rows.empty() || rows[0] == (std::vector<std::string>{"File", "Result", "Rounds", "Seconds"}))
        << h.fake.ui.clipboard;
    return rows;
}

std::vector<Shape> Shapes(InstallHarness& h) {
    std::vector<Shape> shapes;
    for (const FileMark& mark : h.Window().marks) shapes.push_back(mark.shape);
    return shapes;
}

TEST(RunReport, ABatchWhoseSecondInstallerEndsWithoutAWindowWithExitCode3) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    h.fake.desktop.scripts = {InstallerScript{1}, InstallerScript{.showsWindow = false, .exitCode = 3},
                              InstallerScript{2}};
    std::vector<std::vector<Shape>> atShell;
    std::vector<int> heldAtShell;
    h.fake.desktop.onShell = [&] {
        atShell.push_back(Shapes(h));
        heldAtShell.push_back(h.form->Report().HeldInstallers());
    };
    h.form->BtStart_Click();

    EXPECT_EQ(atShell[1], (std::vector<Shape>{Shape::Installed, Shape::BeingInstalled, Shape::None}));
    EXPECT_EQ(heldAtShell, (std::vector<int>{0, 0, 0})) << "the ended installers' handles are let go";
    EXPECT_EQ(Shapes(h), (std::vector<Shape>{Shape::Installed, Shape::EndedWithoutWindow, Shape::Installed}));
    EXPECT_EQ(h.Window().marks[2].text.substr(0, 19), "installed in 2 roun");

    const auto rows = CopiedTable(h);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"a.hfz", "installed", "1", rows[1][3]}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"b.hfz", "ended without a window (exit code 3)", "0", rows[2][3]}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"c.hfz", "installed", "2", rows[3][3]}));
    EXPECT_EQ(h.Window().menusShown.back().back(), "Copy Report") << "enabled once a command has run";

    // Ctrl+C does the same; listing the folder again drops the report.
    h.fake.ui.clipboard.clear();
    h.form->FileList_Copy();
    EXPECT_EQ(h.fake.ui.clipboard.substr(0, 30), "File\tResult\tRounds\tSeconds\r\na.");
    h.Window().txPath.SetText("C:\\Quelbrin");
    EXPECT_TRUE(h.Window().marks.empty());
    EXPECT_TRUE(CopiedTable(h).empty()) << "Copy Report after the folder was listed again";
    EXPECT_EQ(h.Window().menusShown.back().back(), "Copy Report (off)");
}

TEST(RunReport, AStartFailureStopsTheBatchAndTheFilesAfterItAreNotReached) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz"});
    h.fake.desktop.failingLaunches = {2};
    h.form->BtStart_Click();
    EXPECT_EQ(Shapes(h), (std::vector<Shape>{Shape::Installed, Shape::Failed, Shape::NotReached}));
    const auto rows = CopiedTable(h);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2][1] + "|" + rows[2][2], "failed: The system cannot find the file specified.|0");
    EXPECT_EQ(rows[3], (std::vector<std::string>{"c.hfz", "not reached", "", ""}));
}

TEST(RunReport, ARunResumedAtTheThirdFileAndASingleFileReportOnlyTheirFiles) {
    InstallHarness h({"a.hfz", "b.hfz", "c.hfz", "d.hfz", "e.hfz"});
    h.ChooseFromMenu(2, "Install From Here to the End");
    EXPECT_EQ(Shapes(h), (std::vector<Shape>{Shape::None, Shape::None, Shape::Installed, Shape::Installed,
                                             Shape::Installed}));
    auto rows = CopiedTable(h);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1][0] + rows[2][0] + rows[3][0], "c.hfzd.hfze.hfz");

    h.Window().fileList.SetListIndex(1);
    h.form->BtInst_Click();
    EXPECT_EQ(Shapes(h), (std::vector<Shape>{Shape::None, Shape::Installed}));
    rows = CopiedTable(h);
    EXPECT_EQ(rows.size() == 2 ? rows[1][0] + "|" + rows[1][1] : "", "b.hfz|installed");
}

}  // namespace
}  // namespace quelbrin::test
