#pragma once
#include <string>

#include "tests/substitute_installer/substitute_log.h"
#include "tests/substitute_installer/substitute_settings.h"

namespace substitute {

struct WindowRun {
    int number;  // 1, or 2 for the window that a "reopen" shows again
    std::string title;
    int showCommand;
    const Settings& settings;
    const Log& log;
    unsigned long long deadline;  // GetTickCount64() value, 0 for none
};

enum class WindowEnd { Passes, Closed, TimedOut, Failed };

// Shows the window and answers the keys that reach it until it closes. In
// crash mode the process dies in here, while the window is up.
WindowEnd RunWindow(const WindowRun& run);

// An access violation, after saying so in the log.
[[noreturn]] void CrashNow(const Log& log);

}  // namespace substitute
