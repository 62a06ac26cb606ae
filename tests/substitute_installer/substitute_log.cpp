#include "tests/substitute_installer/substitute_log.h"

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"
#include "tests/support/log_file.h"

namespace substitute {

Log::Log(std::string path) : path_(std::move(path)) {}

void Log::Write(const std::string& event, const std::string& detail) const {
    std::string words = std::to_string(GetCurrentProcessId()) + " " + event;
    if (!detail.empty()) words += " " + detail;
    quelbrin::test::AppendLogLine(quelbrin::win32::Widen(path_), words);
}

}  // namespace substitute
