#include "bench/driver/cpu_clock.h"

#include <cstdlib>

#include "platform/win32/unique_handle.h"
#include "tests/support/log_file.h"

namespace quelbrin::bench {

namespace {

constexpr wchar_t kProc[] = L"Z:\\proc";

bool SameIgnoringCase(const std::string& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const wchar_t x = static_cast<unsigned char>(a[i]), y = b[i];
        if (towlower(x) != towlower(y)) return false;
    }
    return true;
}

// The Linux process whose first command-line word is this Windows path.
int FindUnixPid(const std::wstring& exe) {
    WIN32_FIND_DATAW data;
    win32::UniqueFindHandle find(FindFirstFileExW((std::wstring(kProc) + L"\\*").c_str(), FindExInfoBasic,
                                                  &data, FindExSearchNameMatch, nullptr, 0));
    if (!find) return 0;
    do {
        const int pid = _wtoi(data.cFileName);
        if (pid <= 0) continue;
        const std::string commandLine =
            test::ReadSharedFile(std::wstring(kProc) + L"\\" + data.cFileName + L"\\cmdline");
        const std::string first = commandLine.substr(0, commandLine.find('\0'));
        if (SameIgnoringCase(first, exe)) return pid;
    } while (FindNextFileW(find.get(), &data));
    return 0;
}

double FileTimeMs(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 10000.0;  // 100 ns units
}

}  // namespace

double UnixProcessCpuMs(int unixPid, int clockTicksPerSecond) {
    if (unixPid <= 0 || clockTicksPerSecond <= 0) return -1;
    const std::string stat = test::ReadSharedFile(std::wstring(kProc) + L"\\" + std::to_wstring(unixPid) + L"\\stat");
    // The name in parentheses may hold blanks: count fields from its end.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    const char* p = stat.c_str() + close + 1;
    // After the name: state (field 3) ... utime (14), stime (15).
    char* end = nullptr;
    unsigned long long values[13] = {};
    for (int field = 3; field <= 15; ++field) {
        while (*p == ' ') ++p;
        if (field == 3) {
            ++p;  // the state letter
            continue;
        }
        values[field - 3] = std::strtoull(p, &end, 10);
        if (end == p) return -1;
        p = end;
    }
    return static_cast<double>(values[11] + values[12]) * 1000.0 / clockTicksPerSecond;
}

CpuClock::CpuClock(const ChildProcess& process, const std::wstring& exe, int clockTicksPerSecond)
    : process_(process), ticksPerSecond_(clockTicksPerSecond) {
    underWine_ = GetFileAttributesW(kProc) != INVALID_FILE_ATTRIBUTES && clockTicksPerSecond > 0;
    if (underWine_) unixPid_ = FindUnixPid(exe);
}

double CpuClock::Ms() const {
    if (underWine_) return UnixProcessCpuMs(unixPid_, ticksPerSecond_);
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process_.NativeHandle(), &created, &exited, &kernel, &user)) return -1;
    return FileTimeMs(kernel) + FileTimeMs(user);
}

std::string CpuClock::Source() const {
    if (!underWine_) return "GetProcessTimes";
    return unixPid_ > 0 ? "/proc of Linux process " + std::to_string(unixPid_) : "no Linux process found";
}

}  // namespace quelbrin::bench
