#include "tests/substitute_installer/substitute_log.h"

#include "platform/win32/unique_handle.h"
#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"

namespace substitute {

namespace {

unsigned long long MillisecondsSince1970() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kTicksTo1970 = 116444736000000000ull;  // 100 ns ticks from 1601
    return (ticks - kTicksTo1970) / 10000;
}

}  // namespace

Log::Log(std::string path) : path_(std::move(path)) {}

void Log::Write(const std::string& event, const std::string& detail) const {
    std::string line = std::to_string(MillisecondsSince1970()) + " " + std::to_string(GetCurrentProcessId()) + " " + event;
    if (!detail.empty()) line += " " + detail;
    line += "\r\n";
    // Opened for each line, appending, so that other processes' lines interleave whole.
    HANDLE opened = CreateFileW(quelbrin::win32::Widen(path_).c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return;  // nowhere to write: the program goes on
    quelbrin::win32::UniqueKernelHandle file(opened);
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace substitute
