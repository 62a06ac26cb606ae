#include "tests/e2e/quelbrin_run.h"

#include <algorithm>
#include <stdexcept>

#include <tlhelp32.h>

#include "platform/win32/utf.h"
#include "tests/support/wait_until.h"

namespace quelbrin::e2e {

using namespace std::chrono_literals;
using test::Scaled;
using test::WaitUntil;

namespace {

[[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " failed, error " + std::to_string(GetLastError()));
}

std::vector<DWORD> JobProcessIds(HANDLE job) {
    // Room for far more processes than any test starts.
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST header;
        ULONG_PTR more[255];
    } list{};
    if (!QueryInformationJobObject(job, JobObjectBasicProcessIdList, &list, sizeof list, nullptr))
        return {};
    std::vector<DWORD> ids;
    for (DWORD i = 0; i < list.header.NumberOfProcessIdsInList; ++i)
        ids.push_back(static_cast<DWORD>(list.header.ProcessIdList[i]));
    return ids;
}

// Processes whose parent is `parent`, by a snapshot of all processes.
std::vector<DWORD> ChildProcessIds(DWORD parent) {
    std::vector<DWORD> ids;
    win32::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.get() == INVALID_HANDLE_VALUE) {
        snapshot.release();
        return ids;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent) ids.push_back(entry.th32ProcessID);
    return ids;
}

bool ProcessRunning(DWORD id) {
    win32::UniqueKernelHandle p(OpenProcess(SYNCHRONIZE, FALSE, id));
    return p && WaitForSingleObject(p.get(), 0) == WAIT_TIMEOUT;
}

}  // namespace

QuelbrinRun::QuelbrinRun(const std::wstring& exe, const std::wstring& workingFolder,
                         const std::wstring& outputFile, const std::wstring& arguments) {
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    if (!job_) Fail("CreateJobObjectW");
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win32::UniqueKernelHandle output(CreateFileW(outputFile.c_str(), GENERIC_WRITE,
                                                 FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (output.get() == INVALID_HANDLE_VALUE) {
        output.release();
        Fail("CreateFileW " + win32::Narrow(outputFile));
    }
    win32::UniqueKernelHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                &inherit, OPEN_EXISTING, 0, nullptr));
    if (input.get() == INVALID_HANDLE_VALUE) input.release();

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input.get();
    startup.hStdOutput = output.get();
    startup.hStdError = output.get();
    PROCESS_INFORMATION info{};
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_SUSPENDED, nullptr, workingFolder.c_str(), &startup, &info))
        Fail("CreateProcessW " + win32::Narrow(exe));
    process_.reset(info.hProcess);
    win32::UniqueKernelHandle thread(info.hThread);
    id_ = info.dwProcessId;
    // In the job before it runs, so every installer it starts is in it too.
    if (!AssignProcessToJobObject(job_.get(), info.hProcess)) {
        TerminateProcess(info.hProcess, 1);
        Fail("AssignProcessToJobObject");
    }
    ResumeThread(thread.get());
}

QuelbrinRun::~QuelbrinRun() { EndAll(); }

bool QuelbrinRun::HasExited() const { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

bool QuelbrinRun::WaitForExit(std::chrono::milliseconds timeout) const {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(Scaled(timeout).count())) == WAIT_OBJECT_0;
}

HWND QuelbrinRun::MainWindow() const {
    const auto w = FindQuelbrinWindow(id_);
    return w ? w->hwnd : nullptr;
}

HWND QuelbrinRun::WaitForMainWindow(std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const auto w = FindQuelbrinWindow(id_);
            found = (w && w->visible) ? w->hwnd : nullptr;
            return found != nullptr || HasExited();
        },
        timeout);
    return found;
}

std::wstring QuelbrinRun::Text(int id) const {
    HWND main = MainWindow();
    if (main == nullptr) return L"<no window>";
    return ControlText(main, id).value_or(L"<unreadable>");
}

bool QuelbrinRun::SetText(int id, const std::wstring& text) const {
    HWND main = MainWindow();
    return main != nullptr && SetControlText(main, id, text);
}

bool QuelbrinRun::Click(int id) const {
    HWND main = MainWindow();
    return main != nullptr && PostClick(main, id);
}

bool QuelbrinRun::Enabled(int id) const {
    HWND main = MainWindow();
    return main != nullptr && IsEnabled(main, id);
}

std::optional<ListState> QuelbrinRun::List(int id) const {
    HWND main = MainWindow();
    if (main == nullptr) return std::nullopt;
    return ReadListBox(main, id);
}

std::optional<std::wstring> QuelbrinRun::AnswerBox(const std::wstring& title,
                                                   std::chrono::milliseconds timeout) {
    std::optional<MessageBoxInfo> box;
    WaitUntil(
        [&] {
            for (MessageBoxInfo& b : MessageBoxesOf(id_))
                if (b.title == title) box = std::move(b);
            return box.has_value() || HasExited();
        },
        timeout);
    if (!box) return std::nullopt;
    AnswerOk(box->hwnd);
    // Answered once the box is gone; a box that stays is a failure of the caller's to see.
    WaitUntil([&] { return !IsWindow(box->hwnd) || !IsWindowVisible(box->hwnd); }, 5s);
    return box->text;
}

std::vector<std::wstring> QuelbrinRun::AnswerAllBoxes() {
    std::vector<std::wstring> seen;
    for (const MessageBoxInfo& b : MessageBoxesOf(id_)) {
        seen.push_back(b.title + L": " + b.text);
        AnswerOk(b.hwnd);
    }
    return seen;
}

std::vector<DWORD> QuelbrinRun::RunningChildren() const {
    // Wine lists a job's processes only in part: a started installer shows up
    // there once Quelbrin has ended. Its parent process id names it before.
    std::vector<DWORD> candidates = JobProcessIds(job_.get());
    for (DWORD id : ChildProcessIds(id_)) candidates.push_back(id);
    std::vector<DWORD> children;
    for (DWORD id : candidates)
        if (id != id_ && ProcessRunning(id) &&
            std::find(children.begin(), children.end(), id) == children.end())
            children.push_back(id);
    return children;
}

void QuelbrinRun::EndAll() {
    if (!job_) return;
    // Named before Quelbrin goes: the job alone may miss them under Wine.
    const std::vector<DWORD> children = RunningChildren();
    TerminateJobObject(job_.get(), 1);
    TerminateProcess(process_.get(), 1);
    for (DWORD id : children) {
        win32::UniqueKernelHandle child(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!child) continue;
        TerminateProcess(child.get(), 1);
        WaitForSingleObject(child.get(), static_cast<DWORD>(Scaled(10s).count()));
    }
    WaitForExit(10s);
    WaitUntil([&] { return RunningChildren().empty(); }, 10s);
}

}  // namespace quelbrin::e2e
