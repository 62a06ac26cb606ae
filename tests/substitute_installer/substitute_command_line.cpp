#include "tests/substitute_installer/substitute_command_line.h"

namespace substitute {

Invocation ParseCommandLine(const std::string& commandLine) {
    Invocation result;
    std::string rest;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const std::size_t close = commandLine.find('"', 1);
        if (close == std::string::npos) {
            result.error = "the program's quote is never closed";
            return result;
        }
        result.program = commandLine.substr(1, close - 1);
        rest = commandLine.substr(close + 1);
    } else {
        const std::size_t blank = commandLine.find_first_of(" \t");
        result.program = commandLine.substr(0, blank);
        if (blank != std::string::npos) rest = commandLine.substr(blank);
    }
    if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.erase(0, 1);
    if (rest.empty()) {
        result.error = "no package path after the program";
        return result;
    }
    result.package = rest;
    return result;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace substitute
