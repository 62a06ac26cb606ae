#include <gtest/gtest.h>

#include "platform/win32/win32_platform.h"
#include "tests/wine/process_test_support.h"

namespace quelbrin::test {
namespace {

constexpr DWORD kGotLock = 0, kLockTaken = 1;

// Starts the lock probe (another process) with these arguments.
PROCESS_INFORMATION StartProbe(const std::string& arguments) {
    std::string commandLine = "\"";
    commandLine += LockProbePath();
    commandLine += "\" ";
    commandLine += arguments;
    std::wstring command = win32::Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    EXPECT_TRUE(CreateProcessW(win32::Widen(LockProbePath()).c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, &startup, &info))
        << LockProbePath() << ": error " << GetLastError();
    if (info.hThread) CloseHandle(info.hThread);
    return info;
}

DWORD ProbeTries() {
    PROCESS_INFORMATION probe = StartProbe("try");
    if (!probe.hProcess) return 99;
    if (WaitForSingleObject(probe.hProcess, test::ScaledMs(10000)) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the lock probe did not end";
        TerminateProcess(probe.hProcess, 99);
    }
    DWORD code = 99;
    GetExitCodeProcess(probe.hProcess, &code);
    CloseHandle(probe.hProcess);
    return code;
}

TEST(SystemInstallLock, AnotherProcessFindsItTakenUntilItIsDropped) {
    auto system = win32::MakeSystem();
    auto hold = system->TryLockInstalling();
    ASSERT_NE(hold, nullptr);
    EXPECT_EQ(ProbeTries(), kLockTaken);
    EXPECT_EQ(ProbeTries(), kLockTaken);
    hold.reset();
    EXPECT_EQ(ProbeTries(), kGotLock);
    // The probe is gone again: the lock is free for this process once more.
    EXPECT_NE(system->TryLockInstalling(), nullptr);
}

TEST(SystemInstallLock, IsRefusedWhileAnotherProcessHoldsItAndFreeOnceItDies) {
    auto system = win32::MakeSystem();
    const std::string eventName = "Local\\QuelbrinLockProbeReady." + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, win32::Widen(eventName).c_str());
    ASSERT_NE(ready, nullptr);
    PROCESS_INFORMATION probe = StartProbe("hold " + eventName);
    ASSERT_NE(probe.hProcess, nullptr);
    {
        ProcessReaper reaper(probe.hProcess);
        ASSERT_EQ(WaitForSingleObject(ready, test::ScaledMs(10000)), WAIT_OBJECT_0);
        EXPECT_EQ(system->TryLockInstalling(), nullptr);
        EXPECT_EQ(system->TryLockInstalling(), nullptr);

        // Killed while holding it: the lock is abandoned, which counts as free.
        TerminateProcess(probe.hProcess, 7);
        ASSERT_EQ(WaitForSingleObject(probe.hProcess, test::ScaledMs(5000)), WAIT_OBJECT_0);
    }
    auto hold = system->TryLockInstalling();
    EXPECT_NE(hold, nullptr);
    EXPECT_EQ(ProbeTries(), kLockTaken);
    CloseHandle(probe.hProcess);
    CloseHandle(ready);
}

// The thread's execution state, read by setting it to what it already is.
EXECUTION_STATE CurrentExecutionState() {
    const EXECUTION_STATE state = SetThreadExecutionState(ES_CONTINUOUS);
    SetThreadExecutionState(state & ES_CONTINUOUS ? state : ES_CONTINUOUS);
    return state;
}

TEST(SystemKeepAwake, AsksTheSystemToStayAwakeWhileHeld) {
    auto system = win32::MakeSystem();
    SetThreadExecutionState(ES_CONTINUOUS);
    {
        auto hold = system->KeepAwake();
        ASSERT_NE(hold, nullptr);
        const EXECUTION_STATE held = CurrentExecutionState();
        EXPECT_TRUE(held & ES_CONTINUOUS);
        EXPECT_TRUE(held & ES_SYSTEM_REQUIRED);
    }
    EXPECT_FALSE(CurrentExecutionState() & ES_SYSTEM_REQUIRED);
}

TEST(SystemKeepAwake, GivesBackALastingRequestItFound) {
    auto system = win32::MakeSystem();
    SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    {
        auto hold = system->KeepAwake();
        EXPECT_TRUE(CurrentExecutionState() & ES_SYSTEM_REQUIRED);
    }
    EXPECT_EQ(CurrentExecutionState(), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_DISPLAY_REQUIRED));
    SetThreadExecutionState(ES_CONTINUOUS);
}

}  // namespace
}  // namespace quelbrin::test
