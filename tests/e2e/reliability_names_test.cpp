// Hostile file names and folder texts on the real Quelbrin.exe: exact names
// on the installer's command line and window title, long paths, odd folder
// texts, a folder that vanishes, and a folder of 40,000 packages.
#include <algorithm>
#include <set>

#include "platform/win32/utf.h"
#include "tests/e2e/reliability_support.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

// Removes a folder whose path may be too long for the fixture's own cleanup.
class VerbatimTree {
public:
    explicit VerbatimTree(std::wstring path) : path_(std::move(path)) {}
    ~VerbatimTree() { RemoveTree(path_); }
    VerbatimTree(const VerbatimTree&) = delete;
    VerbatimTree& operator=(const VerbatimTree&) = delete;

private:
    std::wstring path_;
};

class ReliabilityNames : public E2eTest {};

// A message posted after a click leaves Quelbrin's queue only once the click
// has been handled (or, where it started a command, once the command lets
// messages through). The folder box's "modified" flag, which Quelbrin does
// not use, shows when the one posted here has.
bool ClickHandled(const QuelbrinRun& app) {
    HWND main = app.MainWindow();
    HWND box = main ? GetDlgItem(main, IdTxPath) : nullptr;
    if (!Ask(box, EM_SETMODIFY, FALSE) || !PostMessageW(box, EM_SETMODIFY, TRUE, 0)) return false;
    return WaitUntil([&] { return Ask(box, EM_GETMODIFY).value_or(0) != 0; }, 10s);
}

// The path an installer of the ANSI code page can open: the path itself
// where that code page holds all its letters, else its short form.
std::wstring PathAnAnsiInstallerOpens(const std::wstring& path) {
    BOOL lost = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), -1, nullptr, 0, nullptr, &lost);
    if (!lost) return path;
    std::wstring shortPath(MAX_PATH, L'\0');
    shortPath.resize(GetShortPathNameW(path.c_str(), shortPath.data(), MAX_PATH));
    return shortPath;
}

TEST_F(ReliabilityNames, HostileFileNamesReachTheInstallerExactly) {
    quelbrin::test::ReliabilityCase("Names", "blanks, &, %, %PATH%, ^, ', leading -, Cyrillic, CJK, emoji",
                                    "the list holds the exact names; each installer's command line and window title carry the exact name, or its short name where the system's code page lacks a letter of it; one pass each");
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::vector<std::wstring> names = {
        L"Two  Blanks and more.hfz", L"Salt & Pepper.hfz",      L"100% %PATH% Fade.hfz",
        L"Caret^Wipe^^.hfz",         L"O'Brien's Dissolve.hfz", L"-Leading Dash.hfz",
        L"Эффект Взрыв.hfz",         L"特效转场.hfz",            L"Fireworks \U0001F386.hfz",
    };
    const std::wstring packages = MakePackages(L"packages", names);
    StartAndWaitForWindow();
    ASSERT_EQ(ListFolder(*app_, packages), L"9 .hfz files");
    const auto listed = app_->List(IdFileList);
    ASSERT_TRUE(listed.has_value());
    EXPECT_EQ(std::set<std::wstring>(listed->items.begin(), listed->items.end()),
              std::set<std::wstring>(names.begin(), names.end()))
        << "the list does not hold the names exactly";

    ASSERT_TRUE(app_->Click(IdBtStart) && AnswerBatchWarning());
    const CommandEnd end = WaitForCommandEnd(*app_, 120s);
    EXPECT_TRUE(EndedWith(end, L"Ready"));
    EXPECT_EQ(Text(IdStatus1), listed->items.back() + L" installed");

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), names.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::wstring& name = listed->items[i];
        SCOPED_TRACE(Utf8(name));
        const std::wstring passed = PathAnAnsiInstallerOpens(packages + L"\\" + name);
        EXPECT_EQ(runs[i].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + passed));
        EXPECT_EQ(runs[i].windowTitle, Utf8(L"Installing  " + passed));
        // Only a window found under exactly that title is answered.
        EXPECT_EQ(runs[i].passes, 1);
        EXPECT_EQ(runs[i].closeReason, "passes");
        EXPECT_TRUE(runs[i].errors.empty()) << runs[i].errors.front();
    }
    ExitAndExpectGone();
}

TEST_F(ReliabilityNames, ATwoHundredCharacterNameInAPathBeyondMaxPath) {
    quelbrin::test::ReliabilityCase("Names", "a 200-character name, the whole path beyond 260 characters",
                                    "listed and installed; exact command line and window title");
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::wstring folder = folder_ / (L"a folder with a long name, " + std::wstring(40, L'f'));
    std::wstring name = L"A long effect name ";
    while (name.size() < 196) name += static_cast<wchar_t>(L'a' + name.size() % 26);
    name += L".hfz";
    ASSERT_EQ(name.size(), 200u);
    ASSERT_GT(folder.size() + 1 + name.size(), 260u + 40u);
    VerbatimTree cleanup(folder);
    ASSERT_TRUE(MakeFolderVerbatim(folder));
    ASSERT_TRUE(MakeFileVerbatim(folder + L"\\" + name, "HFZ package\n"));

    StartAndWaitForWindow();
    ASSERT_EQ(ListFolder(*app_, folder), L"1 .hfz files");
    EXPECT_EQ(Text(IdStatus1), name);
    ASSERT_TRUE(app_->Click(IdBtInst));
    EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, 60s), L"Ready"));
    EXPECT_EQ(Text(IdStatus1), name + L" installed");

    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + folder + L"\\" + name));
    EXPECT_EQ(runs[0].windowTitle, Utf8(L"Installing  " + folder + L"\\" + name));
    EXPECT_EQ(runs[0].passes, 1);
    EXPECT_EQ(runs[0].closeReason, "passes");
    ExitAndExpectGone();
}

class ReliabilityFolders : public E2eTest {};

TEST_F(ReliabilityFolders, OddFolderTextsListARealFolderOrSayInvalidPath) {
    quelbrin::test::ReliabilityCase("Folder text", R"~(`\\server\share` with no such server, `NUL`, `C:\*`, empty, blanks, 4,000 characters naming nothing)~",
                                    R"~("Invalid path" within 10 s; Quelbrin's window answers (it does not hang) after each)~");
    quelbrin::test::ReliabilityCase("Folder text", R"~(a trailing `\`, `/` separators, the `\\?\` prefix, 4,000 characters naming the folder)~",
                                    R"~(each lists the real folder (3 files); the text stays as typed; a trailing `\` gives `\\` in the command line and title)~");
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::wstring packages = MakePackages(L"packages", {L"a.hfz", L"b.hfz", L"c.hfz"});
    // Listed before each case: another count and another first name, so a
    // listing that silently kept the old entries can't pass for the new one.
    const std::wstring other = MakePackages(L"other", {L"x.hfz", L"y.hfz"});
    std::wstring slashed = packages;
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    std::wstring dotted = packages;
    while (dotted.size() + 2 <= 4000) dotted += L"\\.";
    if (dotted.size() < 4000) dotted += L"\\";
    StartAndWaitForWindow();

    struct Case {
        const char* what;
        std::wstring text;
        std::wstring status;
    };
    const Case cases[] = {
        {"trailing backslash", packages + L"\\", L"3 .hfz files"},
        {"slashes", slashed, L"3 .hfz files"},
        {"verbatim prefix", L"\\\\?\\" + packages, L"3 .hfz files"},
        {"UNC, no such server", L"\\\\quelbrin-no-such-server\\share\\packages", L"Invalid path"},
        {"NUL", L"NUL", L"Invalid path"},
        {"pattern", L"C:\\*", L"Invalid path"},
        {"empty", L"", L"Invalid path"},
        {"blanks", L"   ", L"Invalid path"},
        {"4,000 characters naming nothing", std::wstring(4000, L'x'), L"Invalid path"},
        {"4,000 characters naming the folder", dotted, L"3 .hfz files"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(ListFolder(*app_, other), L"2 .hfz files");
        ASSERT_EQ(Text(IdStatus1), L"x.hfz");
        EXPECT_EQ(ListFolder(*app_, c.text).value_or(L"<no answer>"), c.status);
        EXPECT_EQ(Text(IdTxPath), c.text) << "the folder box changed the text";
        EXPECT_TRUE(Responsive(*app_));
        if (c.status != L"Invalid path") {
            EXPECT_EQ(Text(IdStatus1), L"a.hfz");
        }
    }
    EXPECT_EQ(dotted.size(), 4000u);

    // A trailing "\" is kept as typed: the package path holds "\\".
    ASSERT_EQ(ListFolder(*app_, packages + L"\\"), L"3 .hfz files");
    ASSERT_TRUE(app_->Click(IdBtInst));
    EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, 60s), L"Ready"));
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\\\a.hfz"));
    EXPECT_EQ(runs[0].windowTitle, Utf8(L"Installing  " + packages + L"\\\\a.hfz"));
    EXPECT_EQ(runs[0].closeReason, "passes");
    ExitAndExpectGone();
}

// The list is not read again at install time: the installer is started for
// the file as listed and reports on it itself; the next listing says the
// folder is gone.
TEST_F(ReliabilityFolders, AFolderThatVanishesAfterListingStillEndsTheCommand) {
    quelbrin::test::ReliabilityCase("Folder text", "the folder vanishes between listing and install",
                                    R"~(the installer is started for the listed file and answered; "Ready"; the next listing says "Invalid path" and then nothing is started)~");
    quelbrin::test::ReliabilityNote(
        "The program does not check that a listed file still exists: for a vanished folder the installer is "
        "started and reports on the package itself.");
    const std::wstring log = PlaceInstaller({.passes = 1});
    const std::wstring packages = MakePackages(L"vanishing", {L"Gone.hfz"});
    StartAndWaitForWindow();
    ASSERT_EQ(ListFolder(*app_, packages), L"1 .hfz files");
    RemoveTree(packages);
    ASSERT_FALSE(FileExists(packages + L"\\Gone.hfz"));

    ASSERT_TRUE(app_->Click(IdBtInst));
    EXPECT_TRUE(EndedWith(WaitForCommandEnd(*app_, 60s), L"Ready"));
    EXPECT_EQ(Text(IdStatus1), L"Gone.hfz installed");
    const auto runs = ReadInstallerLog(log);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, Utf8(AppFolder() + L"\\InstallHFZ.exe " + packages + L"\\Gone.hfz"));
    EXPECT_EQ(runs[0].closeReason, "passes");

    EXPECT_EQ(ListFolder(*app_, packages), L"Invalid path");
    // With "Invalid path" showing and the old name still selected, nothing starts.
    ASSERT_TRUE(app_->Click(IdBtInst));
    ASSERT_TRUE(ClickHandled(*app_));
    EXPECT_TRUE(WaitUntil([&] { return app_->Enabled(IdBtInst); }, 10s));
    EXPECT_EQ(Text(IdStatus2), L"Invalid path");
    EXPECT_EQ(ReadInstallerLog(log).size(), 1u) << "an installer was started for a folder that is gone";
    EXPECT_TRUE(Responsive(*app_));
    ExitAndExpectGone();
}

TEST_F(ReliabilityFolders, FortyThousandPackagesAreListedAndCounted) {
    quelbrin::test::ReliabilityCase("Folder text", "40,000 .hfz files",
                                    R"~("40000 .hfz files", first and last names and one past 32,767 in place; Quelbrin answers)~");
    PlaceInstaller({});
    const std::wstring many = folder_.MakeFolder(L"many");
    VerbatimTree cleanup(many);
    ASSERT_TRUE(MakeEmptyFiles(many, 40000, L"fx%05d.hfz"));
    StartAndWaitForWindow();

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(ListFolder(*app_, many, 120s), L"40000 .hfz files");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::printf("40,000 packages listed in %lld ms\n", static_cast<long long>(took.count()));
    EXPECT_EQ(ListCount(*app_), 40000);
    EXPECT_EQ(ListItem(*app_, 0), L"fx00000.hfz");
    EXPECT_EQ(ListItem(*app_, 32768), L"fx32768.hfz");
    EXPECT_EQ(ListItem(*app_, 39999), L"fx39999.hfz");
    EXPECT_EQ(Text(IdStatus1), L"fx00000.hfz");
    EXPECT_TRUE(Responsive(*app_));
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
