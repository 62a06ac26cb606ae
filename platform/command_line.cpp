#include "platform/command_line.h"

namespace quelbrin {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Past the program's name: up to the closing quote when it starts with one
// (a quoted name may hold blanks), else up to the first blank.
std::size_t SkipProgramName(std::string_view line) {
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        return close == std::string_view::npos ? line.size() : close + 1;
    }
    std::size_t at = 0;
    while (at < line.size() && !IsBlank(line[at])) ++at;
    return at;
}

}  // namespace

std::optional<std::string> FirstArgument(std::string_view commandLine) {
    std::size_t at = SkipProgramName(commandLine);
    while (at < commandLine.size() && IsBlank(commandLine[at])) ++at;
    if (at >= commandLine.size()) return std::nullopt;

    std::string argument;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        const char c = commandLine[at];
        if (c == '"')
            quoted = !quoted;
        else if (IsBlank(c) && !quoted)
            break;
        else
            argument += c;
    }
    return argument;
}

}  // namespace quelbrin
