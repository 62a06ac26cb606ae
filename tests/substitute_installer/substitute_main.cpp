// A stand-in for the Hollywood FX package installer, for tests and the demo.
//
// Command line: the program (quoted, or up to the first blank), one blank,
// the package path, taken whole. It shows a top-level window titled
// "Installing  " + the package path (two blanks) and closes it after the
// configured number of passes, a pass being a Tab key and then an Enter key
// arriving at that window.
//
// Settings: the file beside the program named like it with ".exe" replaced
// by ".cfg" (InstallHFZ.exe reads InstallHFZ.cfg; a name without ".exe" gets
// ".cfg" appended). One "key=value" a line; "#" or ";" starts a comment line.
//   log=PATH             log file (default installer.log beside the program;
//                        a relative path is taken from the program's folder)
//   passes=N             passes until the window closes (default 1, at least 1)
//   delay_ms=N           wait this long before showing the window (default 0)
//   mode=normal          show the window, close it after the passes
//   mode=nowindow        show no window: exit after the delay
//   mode=ignorekeys      show the window, log the keys, never close
//   mode=exit            exit at once, before the delay
//   mode=crash           show the window, then die of an access violation at
//                        the first key (or after crash_ms, if that comes first)
//   mode=reopen          after the passes close the window, show a second one
//                        with the same title, which needs the passes again
//   mode=launcher        start a copy of this program with the same command
//                        line, which is the installer proper (as mode=normal),
//                        and exit at once
//   crash_ms=N           crash mode: crash this long after showing (0: only on a key)
//   reopen_delay_ms=N    reopen mode: the gap between the two windows (default 0)
//   linger_ms=N          keep running this long after the last window closed
//   closing_ms=N         after the last pass the window stays up this long
//                        (reading its messages, taking no more passes), as
//                        an installer that copies its files before it closes
//   busy_ms=N            after each pass that leaves the window open, work
//                        this long on the window's thread without reading input
//   timeout_ms=N         close the window and exit with 3 after this long
//                        (default 300000, 0 for never)
//   KEY@NAME=VALUE       applies only when the package's file name is NAME
//                        (letter case ignored), e.g. passes@Fire.hfz=3
//
// Log: appended, shared, one line per event:
//   <milliseconds since 1970 UTC> <process id> <event> <detail>
//   cmdline <the command line exactly as received>   (stamped with the
//                        moment the program's own code began to run)
//   config found|missing <settings file path>
//   error <what was wrong: a setting or the command line>
//   start mode=<mode> passes=<n> delay_ms=<n> package=<package path>
//   folder <the current folder at start>
//   launched <process id of the copy>
//   window <1|2> foreground=<yes|no> title=<window title>
//   key <TAB|ENTER|OTHER> vk=<0xNN> foreground=<yes|no> window=<1|2>
//   pass <k> of <n>
//   busy waiting=<n>     the busy time is over; n keys were pressed meanwhile
//   close <1|2> <passes|request|timeout>   once the window is destroyed
//   timeout
//   crash access violation
//   crashed code=0xC0000005
//   exit <code>           0, 2 for a bad command line, 3 after the timeout,
//                         4 when the window can't be made
//
// A crash ends the process through its own unhandled-exception filter, which
// logs "crashed" and ends it with the exception's code. That keeps Wine's
// crash report ("wine: Unhandled page fault ...", which Wine writes to the
// standard error the process inherited, whatever its standard handles say)
// out of the error output of the test that started it.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/substitute_installer/substitute_command_line.h"
#include "tests/substitute_installer/substitute_log.h"
#include "tests/substitute_installer/substitute_settings.h"
#include "tests/substitute_installer/substitute_window.h"
#include "tests/support/wall_clock.h"

namespace substitute {

namespace {

using quelbrin::win32::Narrow;
using quelbrin::win32::Widen;

constexpr int kExitBadCommandLine = 2;
constexpr int kExitTimeout = 3;
constexpr int kExitNoWindow = 4;

const Log* g_crashLog = nullptr;

// Set for the copy that a launcher starts.
constexpr wchar_t kLaunchedVariable[] = L"QUELBRIN_SUBSTITUTE_LAUNCHED";

std::string ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return Narrow(path);
        }
        path.assign(path.size() * 2, L'\0');
    }
}

std::string SettingsPathFor(const std::string& program) {
    const std::size_t n = program.size();
    if (n >= 4 && CompareStringOrdinal(Widen(program.substr(n - 4)).c_str(), -1, L".exe", -1, TRUE) == CSTR_EQUAL)
        return program.substr(0, n - 4) + ".cfg";
    return program + ".cfg";
}

bool ReadWholeFile(const std::string& path, std::string& text) {
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
    return true;
}

bool IsAbsolute(const std::string& path) {
    return (path.size() >= 2 && path[1] == ':') || path.rfind("\\\\", 0) == 0 || path.rfind("\\", 0) == 0;
}

// A launcher starts the installer proper, a copy of itself with the same
// command line, and ends; false in that copy.
bool Launch(const std::string& program, const Log& log) {
    if (GetEnvironmentVariableW(kLaunchedVariable, nullptr, 0) > 0) return false;
    SetEnvironmentVariableW(kLaunchedVariable, L"1");
    std::wstring commandLine = GetCommandLineW();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(Widen(program).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
        log.Write("launched", std::to_string(info.dwProcessId));
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    } else {
        log.Write("error", "the installer proper was not started: code " + std::to_string(GetLastError()));
    }
    return true;
}

LONG WINAPI EndQuietly(EXCEPTION_POINTERS* info) {
    try {
        char code[16];
        std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
        if (g_crashLog) g_crashLog->Write("crashed", std::string("code=") + code);
    } catch (...) {
    }
    return EXCEPTION_EXECUTE_HANDLER;  // ends the process with the exception's code
}

int Run(long long started, int showCommand) {
    const std::string commandLine = Narrow(GetCommandLineW());
    const std::string program = ProgramPath();
    const std::string folder = program.substr(0, program.find_last_of('\\'));
    const std::string settingsPath = SettingsPathFor(program);
    const Invocation invocation = ParseCommandLine(commandLine);

    std::string settingsText;
    const bool found = ReadWholeFile(settingsPath, settingsText);
    std::vector<std::string> problems;
    const Settings settings = ReadSettings(settingsText, FileNameOf(invocation.package), problems);
    const std::string logPath = settings.log.empty() ? "installer.log" : settings.log;
    const Log log(IsAbsolute(logPath) ? logPath : folder + "\\" + logPath);

    log.WriteAt(started, "cmdline", commandLine);
    log.Write("config", std::string(found ? "found " : "missing ") + settingsPath);
    for (const std::string& problem : problems) log.Write("error", "setting " + problem);
    if (!invocation.error.empty()) {
        log.Write("error", "command line: " + invocation.error);
        log.Write("exit", std::to_string(kExitBadCommandLine));
        return kExitBadCommandLine;
    }
    log.Write("start", std::string("mode=") + ModeName(settings.mode) + " passes=" + std::to_string(settings.passes) +
                           " delay_ms=" + std::to_string(settings.delayMs) + " package=" + invocation.package);
    std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data()));
    log.Write("folder", Narrow(current));
    const unsigned long long deadline = settings.timeoutMs ? GetTickCount64() + settings.timeoutMs : 0;

    if (settings.mode == Mode::Exit || (settings.mode == Mode::Launcher && Launch(program, log))) {
        log.Write("exit", "0");
        return 0;
    }
    if (settings.mode == Mode::Crash) {
        g_crashLog = &log;
        SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
        SetUnhandledExceptionFilter(EndQuietly);
    }
    Sleep(static_cast<DWORD>(settings.delayMs));
    int exitCode = 0;
    if (settings.mode != Mode::NoWindow) {
        const std::string title = "Installing  " + invocation.package;
        WindowEnd end = RunWindow({1, title, showCommand, settings, log, deadline});
        if (settings.mode == Mode::Reopen && end == WindowEnd::Passes) {
            Sleep(static_cast<DWORD>(settings.reopenDelayMs));
            end = RunWindow({2, title, SW_SHOWNORMAL, settings, log, deadline});
        }
        if (end == WindowEnd::TimedOut) exitCode = kExitTimeout;
        if (end == WindowEnd::Failed) exitCode = kExitNoWindow;
        Sleep(static_cast<DWORD>(settings.lingerMs));
    }
    log.Write("exit", std::to_string(exitCode));
    return exitCode;
}

}  // namespace

}  // namespace substitute

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    // Before anything else: the log's "cmdline" line carries this moment.
    const long long started = quelbrin::test::MillisecondsSince1970();
    try {
        return substitute::Run(started, showCommand);
    } catch (...) {
        return 1;
    }
}
