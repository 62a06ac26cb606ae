#pragma once
#include <string>
#include <vector>

namespace substitute {

enum class Mode { Normal, NoWindow, IgnoreKeys, Exit, Crash, Reopen, Launcher };

const char* ModeName(Mode mode);

struct Settings {
    std::string log;  // empty: the default beside the program
    int passes = 1;
    int delayMs = 0;
    Mode mode = Mode::Normal;
    int crashMs = 0;
    int reopenDelayMs = 0;
    int lingerMs = 0;
    int busyMs = 0;
    int closingMs = 0;
    int timeoutMs = 300000;
};

// Reads "key=value" lines. "key@File.hfz=value" applies only when the
// package's file name is File.hfz (letter case ignored) and then wins over
// the plain key. Blank lines and lines starting with "#" or ";" are skipped.
// Lines that can't be used are described in `problems` and change nothing.
Settings ReadSettings(const std::string& text, const std::string& packageFileName,
                      std::vector<std::string>& problems);

}  // namespace substitute
