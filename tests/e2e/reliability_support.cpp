#include "tests/e2e/reliability_support.h"

#include "platform/win32/windows_wrapper.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <sstream>

#include "platform/win32/held_back_query.h"
#include "platform/win32/utf.h"
#include "tests/e2e/window_query.h"

namespace quelbrin::e2e {

using namespace std::chrono_literals;

std::wstring PlaceSubstituteWith(const TestFolder& folder, const std::wstring& relativeDir,
                                 const std::wstring& exeName, const SubstituteConfig& config,
                                 const std::vector<std::string>& moreSettings) {
    const std::wstring log = PlaceSubstitute(folder, relativeDir, exeName, config);
    const std::wstring settings = relativeDir + L"\\" + exeName.substr(0, exeName.rfind(L'.')) + L".cfg";
    std::string text = ReadFile(folder / settings);
    for (const std::string& line : moreSettings) text += line + "\n";
    folder.WriteFile(settings, text);
    return log;
}

// Windows calls a thread hung that has not read its messages for 5 s.
constexpr long long kHungMs = 5000;

::testing::AssertionResult Responsive(const QuelbrinRun& app) {
    HWND main = app.MainWindow();
    if (!main) return ::testing::AssertionFailure() << "Quelbrin has no main window";
    const auto title = WindowText(main, kHungMs);
    if (!title) return ::testing::AssertionFailure() << "no answer to WM_GETTEXT: Quelbrin's window hangs";
    if (*title != L"Quelbrin") return ::testing::AssertionFailure() << "the main window reads \"" << Utf8(*title) << "\"";
    return ::testing::AssertionSuccess();
}

std::optional<long long> HeldBackPasses(const QuelbrinRun& app) {
    static const UINT query = win32::HeldBackPassesQuery();
    const auto count = query ? Ask(app.MainWindow(), query, 0, 0, kHungMs) : std::nullopt;
    if (!count) return std::nullopt;
    return static_cast<long long>(*count);
}

::testing::AssertionResult SetInstallerPath(const QuelbrinRun& app, const std::wstring& path) {
    if (!app.Click(layout::IdBtAbout)) return ::testing::AssertionFailure() << "could not press About...";
    std::optional<TopWindow> dialog;
    WaitUntil([&] {
        dialog = FindTopLevel(win32::Widen(layout::kDialogTitle), app.Id());
        return dialog && dialog->visible;
    }, 10s);
    if (!dialog || !dialog->visible) return ::testing::AssertionFailure() << "the dialog did not open";
    if (!SetControlText(dialog->hwnd, layout::IdTxPathInst, path))
        return ::testing::AssertionFailure() << "could not type into the path box";
    if (ControlText(dialog->hwnd, layout::IdTxPathInst).value_or(L"<unreadable>") != path)
        return ::testing::AssertionFailure() << "the path box does not hold the typed path";
    if (!PostClick(dialog->hwnd, layout::IdOKButton)) return ::testing::AssertionFailure() << "could not press OK";
    if (!WaitUntil([&] { return !IsWindow(dialog->hwnd); }, 10s))
        return ::testing::AssertionFailure() << "OK did not close the dialog";
    return ::testing::AssertionSuccess();
}

CommandEnd WaitForCommandEnd(const QuelbrinRun& app, std::chrono::milliseconds timeout) {
    CommandEnd end;
    std::wstring status;
    const bool over = WaitUntil(
        [&] {
            if (app.HasExited()) return true;
            HWND main = app.MainWindow();
            const auto asked = std::chrono::steady_clock::now();
            const auto text = main ? ControlText(main, layout::IdStatus2, kHungMs) : std::nullopt;
            end.slowestAnswer = std::max(end.slowestAnswer, std::chrono::duration_cast<std::chrono::milliseconds>(
                                                                std::chrono::steady_clock::now() - asked));
            if (!text) {
                ++end.unanswered;
                return false;
            }
            status = *text;
            const bool done = status == L"Ready" || status.rfind(L"Error: ", 0) == 0;
            return done && app.Enabled(layout::IdBtInst);
        },
        timeout, 50ms);
    if (over && !app.HasExited()) end.status = status;
    return end;
}

::testing::AssertionResult EndedWith(const CommandEnd& end, const std::wstring& status) {
    if (!end.status) return ::testing::AssertionFailure() << "the command did not end in time (or Quelbrin ended)";
    if (*end.status != status)
        return ::testing::AssertionFailure() << "Status2 reads \"" << Utf8(*end.status) << "\", expected \""
                                             << Utf8(status) << "\"";
    if (end.unanswered > 0)
        return ::testing::AssertionFailure() << end.unanswered << " polls got no answer: Quelbrin's window hung";
    return ::testing::AssertionSuccess();
}

std::optional<std::wstring> ListFolder(const QuelbrinRun& app, const std::wstring& text,
                                       std::chrono::milliseconds timeout) {
    HWND main = app.MainWindow();
    if (!main || !SetControlText(main, layout::IdTxPath, text, static_cast<UINT>(timeout.count())))
        return std::nullopt;
    std::wstring status;
    const auto answered = [&] {
        status = app.Text(layout::IdStatus2);
        const std::wstring count = L" .hfz files";
        return status == L"Invalid path" ||
               (status.size() > count.size() && status.compare(status.size() - count.size(), count.size(), count) == 0);
    };
    if (!WaitUntil(answered, 5s)) return std::nullopt;
    return status;
}

std::optional<int> ListCount(const QuelbrinRun& app) {
    const auto count = Ask(GetDlgItem(app.MainWindow(), layout::IdFileList), LB_GETCOUNT, 0, 0, kHungMs);
    if (!count) return std::nullopt;
    return static_cast<int>(static_cast<LRESULT>(*count));
}

std::optional<std::wstring> ListItem(const QuelbrinRun& app, int index) {
    return ListBoxItem(GetDlgItem(app.MainWindow(), layout::IdFileList), index, kHungMs);
}

Intruder::Intruder(const std::wstring& logPath, const std::wstring& title) : log_(logPath), title_(title) {
    const std::wstring exe = WinePath(INTRUDER_EXE);
    std::wstring commandLine = L"\"" + exe + L"\" \"" + log_ + L"\" \"" + title_ + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &info)) {
        ADD_FAILURE() << "could not start " << Utf8(exe) << ", error " << GetLastError();
        return;
    }
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
}

Intruder::~Intruder() {
    if (!process_) return;
    if (HWND window = Window()) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), test::ScaledMs(5000)) != WAIT_OBJECT_0) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), test::ScaledMs(5000));
    }
}

HWND Intruder::Window() const {
    DWORD id = process_ ? GetProcessId(process_.get()) : 0;
    const auto w = FindTopLevel(title_, id);
    return w ? w->hwnd : nullptr;
}

std::vector<std::string> Intruder::LogLines() const {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(log_));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Intruder::KeysReceived() const {
    std::vector<std::string> keys;
    for (const std::string& line : LogLines()) {
        const std::size_t event = line.find(' ');
        if (event == std::string::npos) continue;
        if (line.compare(event + 1, 4, "key ") == 0 || line.compare(event + 1, 5, "char ") == 0) keys.push_back(line);
    }
    return keys;
}

bool Intruder::WaitUntilReady(std::chrono::milliseconds timeout) {
    return process_ && WaitUntil([&] {
        for (const std::string& line : LogLines())
            if (line.find(" ready") != std::string::npos) return Window() != nullptr;
        return false;
    }, timeout);
}

std::optional<long long> Intruder::Grab(std::chrono::milliseconds timeout) {
    HWND window = Window();
    if (!window || !PostMessageW(window, WM_APP, 0, 0)) return std::nullopt;
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, timeout, 1ms)) return std::nullopt;
    return test::MillisecondsSince1970();
}

bool MakeFolderVerbatim(const std::wstring& path) {
    return CreateDirectoryW(Verbatim(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool MakeFileVerbatim(const std::wstring& path, const std::string& content) {
    win32::UniqueKernelHandle file(CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
           written == content.size();
}

namespace {

// Entries of the system's handle table that belong to a process.
std::optional<DWORD> HandlesInSystemTable(DWORD processId) {
    using QuerySystem = NTSTATUS(NTAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QuerySystem>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll"), "NtQuerySystemInformation")));
    if (!query) return std::nullopt;
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<unsigned char> buffer(1 << 20);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status = query(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == kLengthMismatch) {
            buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 4096));
            continue;
        }
        if (status != 0) return std::nullopt;
        const auto* table = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
        DWORD count = 0;
        for (ULONG i = 0; i < table->Count; ++i) count += table->Handle[i].OwnerPid == processId;
        return count;
    }
    return std::nullopt;
}

// Bytes in committed private regions of the process's address space.
std::optional<SIZE_T> CommittedPrivateBytes(HANDLE process) {
    SIZE_T total = 0;
    bool any = false;
    const unsigned char* address = nullptr;
    MEMORY_BASIC_INFORMATION region{};
    while (VirtualQueryEx(process, address, &region, sizeof region) == sizeof region) {
        any = true;
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
        const unsigned char* next = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
        if (next <= address) break;
        address = next;
    }
    if (!any) return std::nullopt;
    return total;
}

}  // namespace

ProcessFigures MeasureProcess(DWORD processId) {
    ProcessFigures figures;
    win32::UniqueKernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return figures;
    DWORD handles = 0;
    if (GetProcessHandleCount(process.get(), &handles)) {
        figures.handleCountKnown = true;
        figures.handleCount = handles;
    }
    if (const auto inTable = HandlesInSystemTable(processId)) {
        figures.handleTableKnown = true;
        figures.handlesInTable = *inTable;
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        figures.memoryKnown = true;
        figures.privateUsage = memory.PrivateUsage;
        figures.workingSet = memory.WorkingSetSize;
    }
    if (const auto committed = CommittedPrivateBytes(process.get())) {
        figures.committedKnown = true;
        figures.committedPrivate = *committed;
    }
    return figures;
}

}  // namespace quelbrin::e2e
