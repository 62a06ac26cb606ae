// The file list's context menu on the real program: a batch resumed at a
// file, one file installed from the menu key, and the report copied.
#include <regex>

#include "platform/win32/utf.h"
#include "tests/e2e/e2e_fixture.h"
#include "tests/e2e/real_input.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

class FileMenu : public E2eTest {
protected:
    // Opens the menu on an entry of the file list with a right click and
    // returns the menu's window.
    HWND RightClickEntry(int index) {
        if (!RightClickListEntry(GetDlgItem(app_->MainWindow(), IdFileList), index)) return nullptr;
        return WaitForMenu();
    }

    // The shortcut menu of Quelbrin once it is up (nullptr when none came).
    HWND WaitForMenu() {
        HWND menu = nullptr;
        WaitUntil(
            [&] {
                for (const TopWindow& w : TopLevelWindows())
                    if (w.processId == app_->Id() && w.className == L"#32768" && w.visible) menu = w.hwnd;
                return menu != nullptr;
            },
            10s);
        // Placed where it stays: the same non-empty rectangle twice in a row.
        RECT last{};
        if (menu)
            WaitUntil([&] {
                RECT now{};
                const bool settled = GetWindowRect(menu, &now) && now.right > now.left &&
                                     EqualRect(&now, &last);
                last = now;
                return settled;
            }, 5s);
        return menu;
    }

    // The command at `position` chosen with keys: Home, Down past the others (not separators), Enter.
    static bool Choose(HWND menu, int position) {
        if (!IsWindowVisible(menu) || !PressKey(VK_HOME)) return false;
        for (int i = 1; i <= position; ++i)
            if (kFileMenu[static_cast<std::size_t>(i)] && !PressKey(VK_DOWN)) return false;
        return PressKey(VK_RETURN);
    }
};

TEST_F(FileMenu, FromHereToTheEndResumesABatchOfFiveAtTheThird) {
    const std::vector<std::wstring> names{L"1 Fire.hfz", L"2 Ice.hfz", L"3 Ocean.hfz", L"4 Snow.hfz", L"5 Wind.hfz"};
    const std::wstring log = StartListing({.passes = 2, .closingMs = 1500}, names);
    ASSERT_FALSE(HasFailure());

    const HWND menu = RightClickEntry(2);
    ASSERT_NE(menu, nullptr) << "no context menu over the third file";
    EXPECT_EQ(Text(IdStatus1), L"3 Ocean.hfz") << "the file under the pointer is not selected";
    ASSERT_TRUE(Choose(menu, kInstallFromHereToTheEnd));
    ASSERT_TRUE(AnswerBatchWarning()) << "Status1 reads \"" << Utf8(Text(IdStatus1)) << "\"";

    const std::vector<std::wstring> shown = Status2UntilTheEnd(120s);
    ASSERT_EQ(shown.back(), L"Ready");
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"2 .hfz files remaining of 3 total",
                                                L"1 .hfz files remaining of 3 total",
                                                L"0 .hfz files remaining of 3 total", L"Ready"}));
    EXPECT_EQ(Text(IdStatus1), L"5 Wind.hfz installed");
    EXPECT_TRUE(app_->Enabled(IdBtStart) && app_->Enabled(IdFileList));

    const auto runs = ReadInstallerLog(log);
    std::vector<std::string> commandLines;
    for (const InstallerRun& run : runs) commandLines.push_back(run.commandLine);
    std::vector<std::string> expected;
    for (std::size_t i = 2; i < names.size(); ++i) expected.push_back(CommandLineFor(names[i]));
    EXPECT_EQ(commandLines, expected);
    ExpectEachAfterThePreviousWindowClosed(runs);
    ExitAndExpectGone();
}

TEST_F(FileMenu, ShiftF10AndTheMenuKeyOfferTheSelectedFileAndThisFileInstallsOnlyIt) {
    const std::wstring log = StartListing({}, {L"a.hfz", L"b.hfz", L"c.hfz"});
    ASSERT_FALSE(HasFailure());

    // b.hfz selected from the keyboard, the list holding the focus.
    const HWND list = GetDlgItem(app_->MainWindow(), IdFileList);
    ASSERT_TRUE(ClickAt([&] {
        RECT r{};
        GetWindowRect(list, &r);
        return POINT{r.left + 8, r.top + 4};
    }(), false));
    ASSERT_TRUE(WaitForText(IdStatus1, L"a.hfz", 5s));
    ASSERT_TRUE(PressKey(VK_DOWN));
    ASSERT_TRUE(WaitForText(IdStatus1, L"b.hfz", 5s));

    // Shift+F10 opens it; Esc closes it with no command.
    ASSERT_TRUE(PressKey(VK_F10, VK_SHIFT));
    const HWND first = WaitForMenu();
    ASSERT_NE(first, nullptr) << "Shift+F10 opened no menu";
    ASSERT_TRUE(PressKey(VK_ESCAPE));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(first); }, 10s)) << "Esc did not close the menu";
    EXPECT_EQ(Text(IdStatus2), L"3 .hfz files");

    ASSERT_TRUE(PressKey(VK_APPS));
    const HWND menu = WaitForMenu();
    ASSERT_NE(menu, nullptr) << "the menu key opened no menu";
    ASSERT_TRUE(Choose(menu, kInstallThisFile));

    const std::vector<std::wstring> shown = Status2UntilTheEnd(60s);
    ASSERT_EQ(shown.back(), L"Ready");
    EXPECT_EQ(Text(IdStatus1), L"b.hfz installed");
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, CommandLineFor(L"b.hfz"));
    EXPECT_TRUE(app_->AnswerAllBoxes().empty()) << "a warning for one file";
    ExitAndExpectGone();
}

// The clipboard's text, empty when it holds none (or is held by another).
std::string ClipboardText() {
    std::wstring text;
    const HANDLE data = OpenClipboard(nullptr) ? GetClipboardData(CF_UNICODETEXT) : nullptr;
    if (const auto* chars = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) text = chars;
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return win32::Narrow(text);
}

TEST_F(FileMenu, CopyReportAfterABatchOfThreePutsItsTableOnTheClipboard) {
    const std::wstring log = PlaceInstaller({.passes = 2});
    StartAndWaitForWindow();
    ASSERT_TRUE(RunBatch(MakePackages(L"packages", {L"Fire.hfz", L"Ice.hfz", L"Snow.hfz"}), 3));
    ASSERT_EQ(Status2UntilTheEnd(120s).back(), L"Ready");

    // The clipboard emptied first; the menu opened on the list, the command chosen with keys.
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    const HWND menu = RightClickEntry(0);
    ASSERT_NE(menu, nullptr) << "no context menu over the first file";
    ASSERT_TRUE(Choose(menu, kCopyReport));
    std::string table;
    ASSERT_TRUE(WaitUntil([&] { return !(table = ClipboardText()).empty(); }, 10s)) << "nothing on the clipboard";

    // Each line ends in CR LF: the file, its result, the passes its installer logged, the seconds.
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 3u);
    std::vector<std::string> lines;
    std::string text = table;
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2))
        lines.push_back(text.substr(0, end));
    EXPECT_EQ(text, "") << "a line without CR LF";
    ASSERT_EQ(lines.size(), 4u) << table;
    EXPECT_EQ(lines[0], "File\tResult\tRounds\tSeconds");
    const char* names[] = {"Fire.hfz", "Ice.hfz", "Snow.hfz"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(lines[i + 1]);
        std::smatch cells;
        ASSERT_TRUE(std::regex_match(lines[i + 1], cells, std::regex("([^\t]*)\tinstalled\t([0-9]+)\t[0-9]+\\.[0-9]")));
        EXPECT_EQ(cells[1].str(), names[i]);
        EXPECT_EQ(cells[2].str(), std::to_string(runs[i].passes));
    }
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
