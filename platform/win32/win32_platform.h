#pragma once
#include <memory>

#include "platform/platform.h"

namespace quelbrin::win32 {

// The Windows implementations of the platform services.
std::unique_ptr<FileSystem> MakeFileSystem();
std::unique_ptr<Ui> MakeUi(const FileSystem& files);
std::unique_ptr<Processes> MakeProcesses();
std::unique_ptr<Desktop> MakeDesktop();
std::unique_ptr<System> MakeSystem();
std::unique_ptr<Registry> MakeRegistry();
std::unique_ptr<Clock> MakeClock();

// All of them, made in this order and owned together; `platform` hands
// them to the program.
struct WindowsServices {
    WindowsServices() = default;
    WindowsServices(const WindowsServices&) = delete;
    WindowsServices& operator=(const WindowsServices&) = delete;

    std::unique_ptr<FileSystem> files = MakeFileSystem();
    std::unique_ptr<Ui> ui = MakeUi(*files);
    std::unique_ptr<Processes> processes = MakeProcesses();
    std::unique_ptr<Desktop> desktop = MakeDesktop();
    std::unique_ptr<System> system = MakeSystem();
    std::unique_ptr<Registry> registry = MakeRegistry();
    std::unique_ptr<Clock> clock = MakeClock();
    Platform platform{*ui, *files, *processes, *desktop, *system, *registry, *clock};
};

}  // namespace quelbrin::win32
