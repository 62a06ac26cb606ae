#pragma once
#include <cstdint>
#include <string>

#include "platform/win32/unique_handle.h"

namespace quelbrin::bench {

// A program the driver starts, together with every program it starts in turn
// (they share a job object). Dropping it ends all of them.
class ChildProcess {
public:
    // Starts `exe` with this command line in this folder; its standard
    // handles go to NUL. Check started() and error() afterwards.
    ChildProcess(const std::wstring& exe, const std::wstring& commandLine,
                 const std::wstring& workingFolder);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return static_cast<bool>(process_); }
    const std::string& error() const { return error_; }
    // The performance counter just before CreateProcessW was called, in ms.
    double startedAtMs() const { return startedAtMs_; }

    DWORD Id() const { return id_; }
    bool HasExited() const;
    HANDLE NativeHandle() const { return process_.get(); }
    // Working set now, in bytes (0 when it can't be read).
    std::uint64_t WorkingSetBytes() const;
    std::uint64_t PeakWorkingSetBytes() const;
    // Private bytes (committed memory of its own) now, 0 when it can't be read.
    std::uint64_t PrivateBytes() const;
    // Ends the program and whatever it started; waits until they are gone.
    void EndAll();

private:
    win32::UniqueKernelHandle job_;
    win32::UniqueKernelHandle process_;
    DWORD id_ = 0;
    double startedAtMs_ = 0;
    std::string error_;
};

}  // namespace quelbrin::bench
