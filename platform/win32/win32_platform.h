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

}  // namespace quelbrin::win32
