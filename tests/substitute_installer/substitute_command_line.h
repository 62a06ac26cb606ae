#pragma once
#include <string>

namespace substitute {

struct Invocation {
    std::string program;  // as given, without quotes
    std::string package;  // everything after the program and one blank
    std::string error;    // empty when the command line has the expected form
};

// An installer's command line: the program (quoted, or up to the first
// blank), one blank, then the package path, taken whole (blanks and all).
Invocation ParseCommandLine(const std::string& commandLine);

// The part of a path after its last "\" or "/".
std::string FileNameOf(const std::string& path);

}  // namespace substitute
