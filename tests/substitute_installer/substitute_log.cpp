#include "tests/substitute_installer/substitute_log.h"

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/log_file.h"

namespace substitute {

Log::Log(std::string path) : path_(std::move(path)) {}

namespace {

std::string Words(const std::string& event, const std::string& detail) {
    std::string words = std::to_string(GetCurrentProcessId()) + " " + event;
    if (!detail.empty()) words += " " + detail;
    return words;
}

}  // namespace

void Log::Write(const std::string& event, const std::string& detail) const {
    quelbrin::test::AppendLogLine(quelbrin::win32::Widen(path_), Words(event, detail));
}

void Log::WriteAt(long long time, const std::string& event, const std::string& detail) const {
    quelbrin::test::AppendLogLine(quelbrin::win32::Widen(path_), Words(event, detail), time);
}

}  // namespace substitute
