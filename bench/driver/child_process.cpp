#include "bench/driver/child_process.h"

#include <psapi.h>

#include "bench/driver/stopwatch.h"
#include "platform/win32/utf.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::bench {

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& commandLine,
                           const std::wstring& workingFolder) {
    job_.reset(CreateJobObjectW(nullptr, nullptr));
    if (!job_) {
        error_ = win32::MakeError(GetLastError(), "CreateJobObjectW").Description;
        return;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    win32::UniqueKernelHandle nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                              OPEN_EXISTING, 0, nullptr));
    if (nul.get() == INVALID_HANDLE_VALUE) nul.release();

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul.get();
    PROCESS_INFORMATION info{};
    std::wstring line = commandLine;
    startedAtMs_ = NowMs();
    // Suspended until it is in the job, so that whatever it starts is in the job too.
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                        workingFolder.empty() ? nullptr : workingFolder.c_str(), &startup, &info)) {
        error_ = win32::MakeError(GetLastError(), "CreateProcessW").Description + " (" +
                 win32::Narrow(exe) + ")";
        return;
    }
    process_.reset(info.hProcess);
    win32::UniqueKernelHandle thread(info.hThread);
    id_ = info.dwProcessId;
    if (!AssignProcessToJobObject(job_.get(), info.hProcess)) {
        error_ = win32::MakeError(GetLastError(), "AssignProcessToJobObject").Description;
        TerminateProcess(info.hProcess, 1);
        process_.reset();
        return;
    }
    ResumeThread(thread.get());
}

ChildProcess::~ChildProcess() { EndAll(); }

bool ChildProcess::HasExited() const {
    return !process_ || WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0;
}

std::uint64_t ChildProcess::WorkingSetBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!process_ || !K32GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize;
}

std::uint64_t ChildProcess::PeakWorkingSetBytes() const {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!process_ || !K32GetProcessMemoryInfo(process_.get(), &counters, sizeof counters)) return 0;
    return counters.PeakWorkingSetSize;
}

std::uint64_t ChildProcess::PrivateBytes() const {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    if (!process_ || !K32GetProcessMemoryInfo(process_.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                              sizeof counters))
        return 0;
    // Wine leaves PrivateUsage empty for another process; PagefileUsage is
    // the same commit charge on Windows.
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

void ChildProcess::EndAll() {
    if (job_) {
        TerminateJobObject(job_.get(), 1);
        if (process_) WaitForSingleObject(process_.get(), 10000);
        // The installers it started end asynchronously; the next measurement must not share the CPU with them.
        PollUntil(
            [&] {
                JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
                return !QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &info,
                                                  sizeof info, nullptr) ||
                       info.ActiveProcesses == 0;
            },
            10000, 5);
        job_.reset();
    }
    process_.reset();
}

}  // namespace quelbrin::bench
