#pragma once
// The line logs that the test programs write and the tests read back:
//   <milliseconds since 1970 UTC> <process id> <event>[ <detail>]
// (the intruder window leaves out the process id). Several processes append
// to one file.
#include <cstdint>
#include <string>
#include <vector>

namespace quelbrin::test {

// Appends "<ms since 1970> <words>\r\n", opening the file for this line
// alone, so that other processes' lines interleave whole. A file that can't
// be opened loses the line: the program goes on.
void AppendLogLine(const std::wstring& path, const std::string& words);
// The same with the time given (a moment before the line could be written).
void AppendLogLine(const std::wstring& path, const std::string& words, long long time);

// A file another process may still be writing, read whole; empty when missing.
std::string ReadSharedFile(const std::wstring& path);

struct LogLine {
    long long time = 0;  // ms since 1970
    std::uint32_t processId = 0;
    std::string event;
    std::string detail;
};

// The complete lines of a substitute installer's log, in order; a last line
// still being written is left out. Lines that do not have the form above go
// to `malformed` when given.
std::vector<LogLine> ReadLogLines(const std::wstring& path, std::vector<std::string>* malformed = nullptr);

}  // namespace quelbrin::test
