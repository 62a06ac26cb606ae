#include "tests/support/log_file.h"

#include <sstream>

#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/wall_clock.h"

namespace quelbrin::test {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// "<ms> <pid> <event>[ <detail>]"; false when the line has another form.
bool Parse(const std::string& text, LogLine& line) {
    std::istringstream in(text);
    if (!(in >> line.time >> line.processId >> line.event) || line.time <= 0 || line.processId == 0) return false;
    if (in.get() == ' ') std::getline(in, line.detail);
    return true;
}

}  // namespace

void AppendLogLine(const std::wstring& path, const std::string& words) {
    AppendLogLine(path, words, MillisecondsSince1970());
}

void AppendLogLine(const std::wstring& path, const std::string& words, long long time) {
    const std::string line = std::to_string(time) + " " + words + "\r\n";
    HANDLE opened = CreateFileW(path.c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return;
    win32::UniqueKernelHandle file(opened);
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string ReadSharedFile(const std::wstring& path) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return {};
    win32::UniqueKernelHandle file(opened);
    std::string text;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return text;
}

std::vector<LogLine> ReadLogLines(const std::wstring& path, std::vector<std::string>* malformed) {
    std::vector<LogLine> lines;
    const std::string text = ReadSharedFile(path);
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) break;  // a line still being written
        std::string raw = text.substr(begin, end - begin);
        begin = end + 1;
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        LogLine line;
        if (Parse(raw, line)) lines.push_back(std::move(line));
        else if (malformed) malformed->push_back(raw);
    }
    return lines;
}

}  // namespace quelbrin::test
