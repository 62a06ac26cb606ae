#pragma once
#include <string>

#include "bench/driver/child_process.h"

namespace quelbrin::bench {

// CPU time of a started program. Under Wine, GetProcessTimes on another
// process returns figures that never move, so there the time comes from the
// Linux process that runs the program (/proc through drive Z:, found by the
// program's path, which Wine puts first on the process's command line).
// Elsewhere GetProcessTimes answers.
class CpuClock {
public:
    CpuClock(const ChildProcess& process, const std::wstring& exe, int clockTicksPerSecond);
    // CPU time so far in ms; negative when it can't be read.
    double Ms() const;
    // Where the figure comes from, for the report.
    std::string Source() const;

private:
    const ChildProcess& process_;
    bool underWine_ = false;
    int unixPid_ = 0;
    int ticksPerSecond_ = 0;
};

// User plus system time of a Linux process through drive Z:, in ms; negative
// when it can't be read.
double UnixProcessCpuMs(int unixPid, int clockTicksPerSecond);

}  // namespace quelbrin::bench
