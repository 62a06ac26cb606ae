// The Win32 file system and the file list box under Wine, on real folders.
#include <gtest/gtest.h>

#include "platform/win32/windows_wrapper.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "main_window/hfz_listing.h"
#include "main_window/main_form_layout.h"
#include "platform/listed_folder.h"
#include "platform/win32/long_path.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/main_window.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_platform.h"
#include "tests/support/test_files.h"
#include "tests/support/ui_stubs.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::win32 {
namespace {

using test::TempFolder;
using test::Verbatim;

using Names = std::vector<std::string>;

class FileSystemTest : public ::testing::Test {
protected:
    std::unique_ptr<FileSystem> files = MakeFileSystem();
};

TEST_F(FileSystemTest, ListShowsOrdinaryFilesEndingInHfzOnly) {
    TempFolder folder;
    for (const wchar_t* name : {L"Fire.hfz", L"SNOW.HFZ", L"rain.Hfz", L"old.hfzbak", L"Fire.hfz.txt",
                                L"notes.txt", L"hfz", L"xhfz"})
        folder.AddFile(name);
    folder.AddFolder(L"Folder.hfz");
    const bool hidden = folder.AddFile(L"Secret.hfz", FILE_ATTRIBUTE_HIDDEN);
    const bool system = folder.AddFile(L"Boot.hfz", FILE_ATTRIBUTE_SYSTEM);

    Names names = ListHfzFiles(*files, folder.Path());
    std::vector<std::string> expected{"Fire.hfz", "rain.Hfz", "SNOW.HFZ"};
    if (!hidden) expected.push_back("Secret.hfz");
    if (!system) expected.push_back("Boot.hfz");
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    if (!hidden || !system) GTEST_SKIP() << "this file system keeps no hidden/system attributes";
}

TEST_F(FileSystemTest, EntriesCarryTheirKindWithoutDotEntries) {
    TempFolder folder;
    folder.AddFile(L"a.hfz");
    folder.AddFolder(L"sub");
    const bool hidden = folder.AddFile(L"h.hfz", FILE_ATTRIBUTE_HIDDEN);
    const bool system = folder.AddFile(L"s.hfz", FILE_ATTRIBUTE_SYSTEM);
    const std::vector<DirEntry> entries = files->ListFolder(folder.Path());
    ASSERT_EQ(entries.size(), 4u);
    for (const DirEntry& e : entries) {
        SCOPED_TRACE(e.name);
        EXPECT_NE(e.name, ".");
        EXPECT_NE(e.name, "..");
        EXPECT_EQ(e.directory, e.name == "sub");
        if (hidden) { EXPECT_EQ(e.hidden, e.name == "h.hfz"); }
        if (system) { EXPECT_EQ(e.system, e.name == "s.hfz"); }
    }
}

TEST_F(FileSystemTest, OrderIsCompareNamesWhichIgnoresCaseAndIsTotal) {
    TempFolder folder;
    for (const wchar_t* name : {L"beta.hfz", L"Alpha.hfz", L"gamma.HFZ", L"_under.hfz", L"10.hfz",
                                L"9.hfz", L"Ärger.hfz", L"Zulu.hfz", L"apple.hfz"})
        folder.AddFile(name);
    const Names names = ListHfzFiles(*files, folder.Path());
    ASSERT_EQ(names.size(), 9u);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end(), [&](const auto& a, const auto& b) {
        return files->CompareNames(a, b) < 0;
    }));
    auto at = [&](const char* n) { return std::find(names.begin(), names.end(), n) - names.begin(); };
    EXPECT_LT(at("Alpha.hfz"), at("apple.hfz"));
    EXPECT_LT(at("apple.hfz"), at("beta.hfz"));
    EXPECT_LT(at("beta.hfz"), at("gamma.HFZ"));
    EXPECT_LT(at("gamma.HFZ"), at("Zulu.hfz"));

    EXPECT_LT(files->CompareNames("alpha.hfz", "BETA.hfz"), 0);
    EXPECT_GT(files->CompareNames("Beta.hfz", "alpha.HFZ"), 0);
    EXPECT_EQ(files->CompareNames("Same.hfz", "Same.hfz"), 0);
    // Names equal but for case still have an order, the same both ways round.
    const int ab = files->CompareNames("fire.hfz", "FIRE.hfz");
    EXPECT_NE(ab, 0);
    EXPECT_EQ(files->CompareNames("FIRE.hfz", "fire.hfz"), -ab);
}

// The names in the order a sorted list box (LBS_SORT) puts them, each added
// in the order given.
Names ListBoxSortOrder(const Names& names) {
    HWND box = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (box == nullptr) return {};
    for (const std::string& name : names)
        SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
    Names sorted;
    const int count = static_cast<int>(SendMessageW(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<std::size_t>(SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        sorted.push_back(Narrow(text));
    }
    DestroyWindow(box);
    return sorted;
}

// The file list is filled already sorted, so its order must be the one a
// sorted list box would give, on names where the two could part: letter
// case, accents, digits, hyphens and apostrophes (the word sort weighs them
// only to break ties), CJK.
TEST_F(FileSystemTest, OrderAgreesWithASortedListBoxOnAwkwardNames) {
    TempFolder folder;
    const wchar_t* awkward[] = {
        L"alpha.hfz", L"Alpha2.hfz", L"ALPHA10.hfz", L"alphabet.hfz", L"Zulu.hfz", L"zebra.hfz",
        L"\u00e9clair.hfz", L"Eclairage.hfz", L"eclat.hfz", L"\u00c4rger.hfz", L"arm.hfz", L"Zo\u00eb.hfz",
        L"zoe1.hfz", L"na\u00efve.hfz", L"\u00d1and\u00fa.hfz", L"nz.hfz", L"\u00c5ngstr\u00f6m.hfz",
        L"\u0153uvre.hfz", L"1.hfz", L"10.hfz", L"2.hfz", L"track 9.hfz", L"track 10.hfz", L"track9b.hfz",
        L"co-op.hfz", L"coop.hfz", L"co op.hfz", L"cooper.hfz", L"co-operate.hfz", L"it's.hfz", L"its.hfz",
        L"-dash.hfz", L"'quote.hfz", L"o'neil.hfz", L"oneil.hfz", L"O-Neil2.hfz", L"_under.hfz", L"~tilde.hfz",
        L"\u706b.hfz", L"\u6c34.hfz", L"\u65e5\u672c.hfz", L"\u4e2d\u6587.hfz", L"\ud55c\uad6d.hfz",
        L"\u30ab\u30bf\u30ab\u30ca.hfz", L"\u304b\u306a.hfz", L"\u30ab\u30ca.hfz"};
    for (const wchar_t* name : awkward) ASSERT_TRUE(folder.AddFile(name)) << Narrow(name);

    const Names ours = ListFiles(*files, folder.Path(), nullptr);
    ASSERT_EQ(ours.size(), std::size(awkward));
    // Added in two different orders, so that the list box's placement, not
    // the order of adding, decides.
    EXPECT_EQ(ListBoxSortOrder(ours), ours);
    EXPECT_EQ(ListBoxSortOrder(Names(ours.rbegin(), ours.rend())), ours);
}

TEST_F(FileSystemTest, TrailingBackslashListsTheSameFolder) {
    TempFolder folder;
    for (const wchar_t* name : {L"one.hfz", L"two.hfz"}) folder.AddFile(name);
    EXPECT_EQ(ListHfzFiles(*files, folder.Path() + "\\"), ListHfzFiles(*files, folder.Path()));
    EXPECT_EQ(ListHfzFiles(*files, folder.Path() + "\\").size(), 2u);
}

TEST_F(FileSystemTest, BadFolderTextsFailWithAnErrorInfo) {
    TempFolder folder;
    folder.AddFile(L"file.hfz");
    wchar_t unusedDrive[] = L"?:\\";
    const DWORD drives = GetLogicalDrives();
    for (wchar_t letter = L'Z'; letter >= L'D'; --letter)
        if (!(drives & (1u << (letter - L'A')))) unusedDrive[0] = letter;
    const std::vector<std::string> bad{"",
                                       "   ",
                                       folder.Path() + "\\file.hfz",
                                       "C:\\*",
                                       folder.Path() + "\\*.hfz",
                                       folder.Path() + "\\fil?.hfz",
                                       "NUL",
                                       "CON",
                                       "C:\\NUL",
                                       folder.Path() + "\\missing",
                                       "C:\\" + std::string(300, 'x'),
                                       Narrow(unusedDrive),
                                       std::string("C:\\\0", 4),
                                       "a<b>|\""};
    for (const std::string& text : bad) EXPECT_THROW(files->ListFolder(text), ErrorInfo) << "folder text: " << text;
}

// The folder box lists at each keystroke: a server name typed so far must
// be refused from the text alone, never looked up on the network.
TEST_F(FileSystemTest, NetworkPathsWithoutAShareAreRefusedBeforeAnyLookup) {
    quelbrin::test::ReliabilityCase("Folder text", R"~(a network path typed so far without a share: `\\`, `\\se`, `\\se\`, either slash, `\\?\UNC\se`)~",
                                    R"~("Invalid path" at each keystroke and no network lookup (the fake records every one); the real file system refuses them with the invalid-name error before asking Windows; the shared rule's table)~");
    for (const char* text : {"\\\\", "//", "\\\\se", "//nas", "\\/se/", "\\\\se\\", "\\\\?\\UNC\\",
                             "\\\\?\\UNC\\se", "\\\\?\\UNC\\se\\"}) {
        SCOPED_TRACE(text);
        try {
            files->ListFolder(text);
            ADD_FAILURE() << "listed";
        } catch (const ErrorInfo& e) {
            EXPECT_EQ(e.Number, ERROR_INVALID_NAME) << e.Source << ": " << e.Description;
            EXPECT_EQ(e.Description, DescribeError(ERROR_INVALID_NAME));
        }
        EXPECT_EQ(files->Dir(std::string(text) + "x.exe"), "");
    }
}

TEST_F(FileSystemTest, ErrorInfoCarriesTheSystemsWords) {
    TempFolder folder;
    try {
        files->ListFolder(folder.Path() + "\\missing");
        FAIL() << "listed a missing folder";
    } catch (const ErrorInfo& e) {
        EXPECT_TRUE(e.Number == ERROR_FILE_NOT_FOUND || e.Number == ERROR_PATH_NOT_FOUND) << e.Number;
        EXPECT_EQ(e.Description, DescribeError(static_cast<std::uint32_t>(e.Number)));
        EXPECT_FALSE(e.Source.empty());
    }
}

TEST_F(FileSystemTest, PathsLongerThanMaxPathAreListed) {
    TempFolder folder;
    std::wstring deep = folder.WidePath();
    while (deep.size() < 320) {
        deep += L"\\" + std::wstring(40, L'd');
        ASSERT_TRUE(CreateDirectoryW(Verbatim(deep).c_str(), nullptr)) << GetLastError();
    }
    const HANDLE file = CreateFileW(Verbatim(deep + L"\\deep.hfz").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_EQ(ListHfzFiles(*files, Narrow(deep)), Names{"deep.hfz"});
    EXPECT_EQ(ListHfzFiles(*files, Narrow(deep) + "\\"), Names{"deep.hfz"});
    std::wstring slashes = deep;
    std::replace(slashes.begin(), slashes.end(), L'\\', L'/');
    EXPECT_EQ(ListHfzFiles(*files, Narrow(slashes)), Names{"deep.hfz"});
    EXPECT_THROW(files->ListFolder(Narrow(deep) + "\\missing"), ErrorInfo);
}

TEST(LongPaths, OnlyLongPathsGetTheVerbatimPrefixMadeAbsoluteWithBackslashes) {
    EXPECT_EQ(ToFileApiPath(L"C:\\Effects"), L"C:\\Effects");
    EXPECT_EQ(ToFileApiPath(L"C:/Effects/"), L"C:/Effects/") << "short paths stay as typed";

    const std::wstring part(60, L'p');
    const std::wstring tail = part + L"\\" + part + L"\\" + part + L"\\" + part + L"\\" + part;
    EXPECT_EQ(ToFileApiPath(L"C:\\" + tail), L"\\\\?\\C:\\" + tail);
    std::wstring slashed = L"C:/" + tail + L"/x/..";
    std::replace(slashed.begin(), slashed.end(), L'\\', L'/');
    EXPECT_EQ(ToFileApiPath(slashed), L"\\\\?\\C:\\" + tail);
    EXPECT_EQ(ToFileApiPath(L"\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + tail);
    const std::wstring verbatim = L"\\\\?\\C:\\" + tail + L"\\..";
    EXPECT_EQ(ToFileApiPath(verbatim), verbatim) << "an explicit prefix is the user's";
}

TEST_F(FileSystemTest, NamesOutsideTheAnsiCodePageRoundTrip) {
    TempFolder folder("-Папка-文件夹");
    for (const wchar_t* name : {L"Эффект.hfz", L"特效.HFZ", L"plain.hfz"}) folder.AddFile(name);
    Names names = ListHfzFiles(*files, folder.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (Names{"plain.hfz", "Эффект.hfz", "特效.HFZ"}));
    EXPECT_EQ(files->Dir(folder.Path() + "\\Эффект.hfz"), "Эффект.hfz");
}

// NTFS takes any 16-bit units for a name, an unpaired surrogate too. Such a
// name must come back exactly, or the list shows one that does not exist.
TEST_F(FileSystemTest, NamesWithAnUnpairedSurrogateAreListedAndFoundAsTheyAre) {
    quelbrin::test::ReliabilityCase("Names", "an unpaired UTF-16 surrogate in a name (NTFS allows it); a pair split across two texts",
                                    "every lone surrogate D800..DFFF goes to its three-byte form and back unchanged; Narrow(high) + Narrow(low) widens to the pair; invalid bytes become U+FFFD; such a file is listed and found by its exact name (where the file system lets it be made)");
    const std::wstring lone = L"lone\xD800.hfz", low = L"low\xDC01.hfz", pair = L"pair\xD83D\xDE00.hfz";
    EXPECT_EQ(Widen(Narrow(lone)), lone);
    EXPECT_EQ(Widen(Narrow(L"split\xD83D") + Narrow(L"\xDE00.hfz")), L"split\xD83D\xDE00.hfz");

    TempFolder folder;
    std::vector<std::wstring> created;
    for (const std::wstring& name : {lone, low, pair}) {
        const HANDLE file = CreateFileW(Verbatim(folder.WidePath() + L"\\" + name).c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        CloseHandle(file);
        created.push_back(name);
    }
    const Names names = ListHfzFiles(*files, folder.Path());
    ASSERT_EQ(names.size(), created.size());
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_NE(std::find(created.begin(), created.end(), Widen(name)), created.end());
        EXPECT_EQ(files->Dir(folder.Path() + "\\" + name), name);
    }
    if (created.size() < 3) GTEST_SKIP() << "this file system refuses unpaired surrogates";
}

TEST_F(FileSystemTest, DirNamesOnlyOrdinaryExistingFiles) {
    TempFolder folder;
    folder.AddFile(L"InstallHFZ.exe");
    folder.AddFolder(L"Folder.exe");
    const bool hidden = folder.AddFile(L"Hidden.exe", FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(files->Dir(folder.Path() + "\\InstallHFZ.exe"), "InstallHFZ.exe");
    EXPECT_EQ(files->Dir(folder.Path() + "\\installhfz.EXE"), "InstallHFZ.exe") << "the name as stored";
    EXPECT_EQ(files->Dir(folder.Path() + "\\\\InstallHFZ.exe"), "InstallHFZ.exe") << "root-style \"\\\\\"";
    EXPECT_EQ(files->Dir(folder.Path() + "\\Folder.exe"), "");
    EXPECT_EQ(files->Dir(folder.Path() + "\\Missing.exe"), "");
    EXPECT_EQ(files->Dir(folder.Path() + "\\*.exe"), "") << "no patterns";
    EXPECT_EQ(files->Dir(""), "");
    if (hidden) { EXPECT_EQ(files->Dir(folder.Path() + "\\Hidden.exe"), ""); }
}

TEST_F(FileSystemTest, AppPathIsTheProgramsFolderWithoutTrailingBackslash) {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring expected = module;
    const std::wstring exe = expected.substr(expected.find_last_of(L'\\') + 1);
    expected.resize(expected.find_last_of(L'\\'));
    const std::string appPath = files->AppPath();
    EXPECT_EQ(appPath, Narrow(expected));
    EXPECT_NE(appPath.back(), '\\');
    EXPECT_EQ(files->Dir(appPath + "\\" + Narrow(exe)), Narrow(exe));
}

// The list box behind FileListBox, on the main window.
class FileListTest : public FileSystemTest {
protected:
    void SetUp() override {
        ui = MakeUi(*files);
        view = ui->CreateMainWindow(events, layout::kMainWindow);
    }
    FileListBox& List() { return view->FileList(); }

    test::EventRecorder events;
    std::unique_ptr<Ui> ui;
    std::unique_ptr<MainWindowView> view;
};

TEST_F(FileListTest, ListsAFolderInCompareNamesOrderWithNothingSelected) {
    TempFolder folder;
    for (const wchar_t* name : {L"c.hfz", L"A.hfz", L"b.HFZ", L"skip.txt"}) folder.AddFile(name);
    List().SetFileName(folder.Path());
    ASSERT_EQ(List().ListCount(), 3);
    EXPECT_EQ(List().List(0), "A.hfz");
    EXPECT_EQ(List().List(1), "b.HFZ");
    EXPECT_EQ(List().List(2), "c.hfz");
    EXPECT_EQ(List().List(3), "");
    EXPECT_EQ(List().List(-1), "");
    EXPECT_EQ(List().ListIndex(), -1);
    EXPECT_EQ(List().FileName(), "");
    EXPECT_EQ(events.counts["FileList_Click"], 0);
}

TEST_F(FileListTest, AFailedOrEmptyFolderTextKeepsThePreviousEntries) {
    TempFolder folder;
    folder.AddFile(L"keep.hfz");
    List().SetFileName(folder.Path());
    List().SetListIndex(0);
    EXPECT_THROW(List().SetFileName(folder.Path() + "\\missing"), ErrorInfo);
    List().SetFileName("");
    ASSERT_EQ(List().ListCount(), 1);
    EXPECT_EQ(List().FileName(), "keep.hfz");
}

TEST_F(FileListTest, SetListIndexSelectsAndRaisesClick) {
    TempFolder folder;
    for (const wchar_t* name : {L"a.hfz", L"b.hfz"}) folder.AddFile(name);
    List().SetFileName(folder.Path());
    List().SetListIndex(1);
    EXPECT_EQ(events.counts["FileList_Click"], 1);
    EXPECT_EQ(List().ListIndex(), 1);
    EXPECT_EQ(List().FileName(), "b.hfz");
    List().SetListIndex(-1);
    EXPECT_EQ(events.counts["FileList_Click"], 2);
    EXPECT_EQ(List().FileName(), "");
}

// A folder's last-write time as it was before a change, as on a FAT root
// (no time at all) or a FAT folder changed twice within its 2 s.
class FolderTime {
public:
    explicit FolderTime(const std::wstring& folder) {
        const HANDLE opened = CreateFileW(folder.c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        EXPECT_NE(opened, INVALID_HANDLE_VALUE) << GetLastError();
        if (opened != INVALID_HANDLE_VALUE) folder_.reset(opened);
        EXPECT_TRUE(GetFileTime(folder_.get(), nullptr, nullptr, &written_)) << GetLastError();
    }
    void Restore() const { EXPECT_TRUE(SetFileTime(folder_.get(), nullptr, nullptr, &written_)) << GetLastError(); }

private:
    UniqueKernelHandle folder_;
    FILETIME written_{};
};

TEST_F(FileListTest, RefreshRereadsAFolderWhoseTimeDidNotChangeKeepingTheSelectionByName) {
    quelbrin::test::ReliabilityCase("File list", "a file added while the folder's last-write time stays the same (FAT root: none; FAT: 2 s)",
                                    "a Refresh after the one that follows a listing reads the folder again and shows the new file, the selection kept by name; only the Refresh right after a listing skips its read");
    TempFolder folder;
    for (const wchar_t* name : {L"m.hfz", L"z.hfz"}) folder.AddFile(name);
    List().SetFileName(folder.Path() + "\\");
    List().SetListIndex(0);
    List().Refresh();  // the one right after a listing has nothing new to read

    const FolderTime time(folder.WidePath());
    folder.AddFile(L"a.hfz");
    time.Restore();
    List().Refresh();
    ASSERT_EQ(List().ListCount(), 3);
    EXPECT_EQ(List().FileName(), "m.hfz");
    EXPECT_EQ(List().ListIndex(), 1);
    EXPECT_EQ(events.counts["FileList_Click"], 1) << "Refresh raises no Click";

    DeleteFileW((folder.WidePath() + L"\\m.hfz").c_str());
    time.Restore();
    List().Refresh();
    EXPECT_EQ(List().ListCount(), 2);
    EXPECT_EQ(List().ListIndex(), -1);
}

TEST_F(FileListTest, FortyThousandFilesAreCountedAndListed) {
    quelbrin::test::ReliabilityCase("Folder text", "40,000 .hfz files",
                                    R"~("40000 .hfz files", first and last names and one past 32,767 in place; Quelbrin answers)~");
    TempFolder folder;
    constexpr int kFiles = 40000;
    ASSERT_TRUE(test::MakeEmptyFiles(folder.WidePath(), kFiles, L"fx%05d.hfz"));
    ASSERT_FALSE(HasFatalFailure());
    List().SetFileName(folder.Path());
    ASSERT_EQ(List().ListCount(), kFiles);
    EXPECT_EQ(List().List(0), "fx00000.hfz");
    EXPECT_EQ(List().List(32767), "fx32767.hfz");
    EXPECT_EQ(List().List(32768), "fx32768.hfz");
    EXPECT_EQ(List().List(kFiles - 1), "fx39999.hfz");
    List().SetListIndex(kFiles - 1);
    EXPECT_EQ(List().ListIndex(), kFiles - 1);
    EXPECT_EQ(List().FileName(), "fx39999.hfz");
}

}  // namespace
}  // namespace quelbrin::win32
