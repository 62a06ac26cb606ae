#pragma once
#include "platform/processes.h"
#include "platform/win32/unique_handle.h"

namespace quelbrin::win32 {

// A started program: its process handle (the thread handle is closed at once).
class Win32Process : public Process {
public:
    Win32Process(UniqueKernelHandle process, std::uint32_t id) : process_(std::move(process)), id_(id) {}
    std::uint32_t Id() const override { return id_; }
    bool HasExited() const override { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }
    std::optional<std::uint32_t> ExitCode() const override {
        DWORD code = 0;
        if (!HasExited() || !GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
        return static_cast<std::uint32_t>(code);
    }
    HANDLE NativeHandle() const { return process_.get(); }

private:
    UniqueKernelHandle process_;
    std::uint32_t id_;
};

}  // namespace quelbrin::win32
