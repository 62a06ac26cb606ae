// Start-up, the folder box and a missing installer, on the real program.
#include <optional>

#include "tests/e2e/e2e_fixture.h"

#include <tlhelp32.h>
#include <cwctype>

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "tests/support/reliability_case.h"
#include "tests/support/saved_registration.h"

namespace quelbrin::e2e {
namespace {

using namespace layout;

// Whether a process has loaded a DLL of this (lower-case) name; nullopt if
// its modules can't be listed.
std::optional<bool> HasLoaded(DWORD process, const std::wstring& dll) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, process);
    if (snapshot == INVALID_HANDLE_VALUE) return std::nullopt;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !found; more = Module32NextW(snapshot, &module)) {
        std::wstring name = module.szModule;
        for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
        found = name == dll;
    }
    CloseHandle(snapshot);
    return found;
}

class StartUp : public E2eTest {};

TEST_F(StartUp, ListsItsOwnFolderAndSelectsTheFirstFile) {
    const std::wstring log = PlaceInstaller({});
    MakePackages(L"app", {L"Snow.hfz", L"fire.hfz", L"Ocean Waves.hfz"});
    folder_.WriteFile(L"app\\readme.txt", "not a package\n");
    StartAndWaitForWindow();

    EXPECT_EQ(Text(IdTxPath), AppFolder());
    EXPECT_TRUE(WaitForText(IdStatus2, L"3 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"fire.hfz");
    const auto list = app_->List(IdFileList);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->items, (std::vector<std::wstring>{L"fire.hfz", L"Ocean Waves.hfz", L"Snow.hfz"}));
    EXPECT_EQ(list->selected, 0);
    for (int id : {IdBtInst, IdBtStart, IdBtAbout, IdBtBrowse, IdTxPath, IdFileList, IdBtExit})
        EXPECT_TRUE(app_->Enabled(id)) << "control " << id;
    EXPECT_TRUE(app_->AnswerAllBoxes().empty()) << "a message box at start-up";
    // shell32 waits for "Browse...".
    const std::optional<bool> shell32 = HasLoaded(app_->Id(), L"shell32.dll");
    ASSERT_TRUE(shell32.has_value()) << "the modules of Quelbrin's process can't be listed";
    EXPECT_FALSE(*shell32) << "shell32.dll was loaded at start";

    ExitAndExpectGone();
    EXPECT_TRUE(ReadInstallerLog(log).empty()) << "an installer ran without being asked";
}

// A thread started in another process that loads a DLL by its bare name,
// as any code of that process would; the thread's exit code is the module
// (0 when the load failed), nullopt when no such thread could run.
std::optional<DWORD> LoadByNameIn(DWORD processId, const std::wstring& dll) {
    const win32::UniqueKernelHandle process(OpenProcess(
        PROCESS_CREATE_THREAD | PROCESS_QUERY_INFORMATION | PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return std::nullopt;
    const std::size_t bytes = (dll.size() + 1) * sizeof(wchar_t);
    void* name = VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!name || !WriteProcessMemory(process.get(), name, dll.c_str(), bytes, nullptr)) return std::nullopt;
    // kernel32 lies at the same address in every process of a session.
    const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    const win32::UniqueKernelHandle thread(CreateRemoteThread(process.get(), nullptr, 0, load, name, 0, nullptr));
    DWORD module = 0;
    const bool ran = thread && WaitForSingleObject(thread.get(), test::ScaledMs(10000)) == WAIT_OBJECT_0 &&
                     GetExitCodeThread(thread.get(), &module);
    VirtualFreeEx(process.get(), name, 0, MEM_RELEASE);
    if (!ran) return std::nullopt;
    return module;
}

// Quelbrin runs as administrator: a DLL dropped beside it or into the folder
// it starts in must never load in its process by a bare name. Its first line
// keeps the DLL search to System32, so once its window is up, a load by name
// in its process finds neither copy.
class DllSearch : public E2eTest {};

TEST_F(DllSearch, QuelbrinLoadsNoDllPlantedBesideItOrInItsStartFolder) {
    quelbrin::test::ReliabilityCase("Administrator", "a DLL planted beside the program and in the folder it starts in, loaded by its bare name in Quelbrin's process once its window is up",
                                    "not found (the search is kept to System32), neither copy leaves its mark; the import check rejects any import but Known DLLs and comctl32 (uxtheme, version)");
    PlaceInstaller({});
    const std::wstring planted = WinePath(PLANTED_DLL);
    folder_.CopyIn(planted, L"app\\quelbrin_planted.dll");
    startFolder_ = folder_.MakeFolder(L"start");
    folder_.CopyIn(planted, L"start\\quelbrin_planted.dll");
    StartAndWaitForWindow();
    ASSERT_FALSE(HasFailure());

    const std::optional<DWORD> module = LoadByNameIn(app_->Id(), L"quelbrin_planted.dll");
    ASSERT_TRUE(module.has_value()) << "no thread could run in Quelbrin's process";
    EXPECT_EQ(*module, 0u) << "a DLL planted in a folder of Quelbrin's was loaded in its process";
    EXPECT_FALSE(FileExists(folder_ / L"app\\quelbrin_planted.dll.loaded")) << "the DLL beside the program was loaded";
    EXPECT_FALSE(FileExists(folder_ / L"start\\quelbrin_planted.dll.loaded")) << "the DLL in the start folder was loaded";
    ExitAndExpectGone();
}

class FolderBox : public E2eTest {};

TEST_F(FolderBox, AMissingFolderIsInvalidAndAValidOneRecovers) {
    PlaceInstaller({});
    MakePackages(L"app", {L"Local.hfz"});
    const std::wstring packages = MakePackages(L"packages", {L"b.hfz", L"a.hfz"});
    StartAndWaitForWindow();
    ASSERT_TRUE(WaitForText(IdStatus2, L"1 .hfz files", 5s));

    ASSERT_TRUE(app_->SetText(IdTxPath, folder_ / L"no such folder"));
    EXPECT_TRUE(WaitForText(IdStatus2, L"Invalid path", 5s));
    EXPECT_EQ(Text(IdTxPath), folder_ / L"no such folder") << "the box keeps the text that failed";

    ASSERT_TRUE(app_->SetText(IdTxPath, packages));
    EXPECT_TRUE(WaitForText(IdStatus2, L"2 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"a.hfz");
    const auto list = app_->List(IdFileList);
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->items, (std::vector<std::wstring>{L"a.hfz", L"b.hfz"}));
    EXPECT_EQ(list->selected, 0);

    // A folder without packages: no selection, the file line keeps its text.
    ASSERT_TRUE(app_->SetText(IdTxPath, folder_.MakeFolder(L"empty")));
    EXPECT_TRUE(WaitForText(IdStatus2, L"0 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"a.hfz");
    ExitAndExpectGone();
}

// No installer registered for .hfz files in the test prefix's machine-wide
// classes (where Quelbrin reads it; under Wine HKCR is that key): a command that
// another test left there is taken away for this test and put back after it.
class MissingInstaller : public E2eTest {
protected:
    void SetUp() override {
        saved_.emplace();
        const LONG rc = RegDeleteTreeW(HKEY_LOCAL_MACHINE, test::kHfzCommandKeyW);
        ASSERT_TRUE(rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) << rc;
    }

    void TearDown() override {
        E2eTest::TearDown();
        saved_.reset();
    }

private:
    std::optional<test::SavedHfzCommand> saved_;
};

TEST_F(MissingInstaller, WarnsBeforeTheWindowShowsAndInstallReportsTheError) {
    quelbrin::test::ReliabilityCase("Installer path", "no installer found at start-up",
                                    R"~(the message box before the main window; install ends with "Error: " and a system error text)~");
    MakePackages(L"app", {L"Fire.hfz"});
    Start();

    const std::wstring title = L"Quelbrin";
    std::optional<MessageBoxInfo> box;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (MessageBoxInfo& b : MessageBoxesOf(app_->Id()))
                if (b.title == title) box = b;
            return box.has_value() || app_->HasExited();
        },
        20s))
        << "no message box";
    ASSERT_TRUE(box.has_value()) << "Quelbrin ended without a message box";
    EXPECT_EQ(box->text, L"InstallHFZ.exe not found, or Hollywood FX is not installed!");
    const auto main = FindQuelbrinWindow(app_->Id());
    EXPECT_FALSE(main && main->visible) << "the main window showed before the message box was answered";
    ASSERT_TRUE(AnswerOk(box->hwnd));

    ASSERT_NE(app_->WaitForMainWindow(20s), nullptr);
    ASSERT_TRUE(WaitForText(IdStatus2, L"1 .hfz files", 5s));
    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz");

    ASSERT_TRUE(app_->Click(IdBtInst));
    std::wstring status;
    ASSERT_TRUE(WaitUntil([&] { return (status = Text(IdStatus2)).rfind(L"Error: ", 0) == 0; }, 20s))
        << "Status2 reads \"" << Utf8(status) << "\"";
    // The description is the system's own wording for some error code.
    const std::wstring description = status.substr(7);
    bool systemWording = false;
    for (DWORD code = 1; code < 16000 && !systemWording; ++code) {
        wchar_t* text = nullptr;
        const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                           FORMAT_MESSAGE_IGNORE_INSERTS,
                                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
        if (n == 0) continue;
        std::wstring wording(text, n);
        LocalFree(text);
        while (!wording.empty() && (wording.back() == L'\n' || wording.back() == L'\r' || wording.back() == L' '))
            wording.pop_back();
        systemWording = wording == description;
    }
    EXPECT_TRUE(systemWording) << "\"" << Utf8(description) << "\" is no system error text";
    EXPECT_TRUE(WaitUntil([&] { return app_->Enabled(IdBtInst); }, 5s)) << "the controls stay disabled";
    EXPECT_EQ(Text(IdStatus1), L"Fire.hfz");
    EXPECT_TRUE(app_->RunningChildren().empty());
    ExitAndExpectGone();
}

}  // namespace
}  // namespace quelbrin::e2e
