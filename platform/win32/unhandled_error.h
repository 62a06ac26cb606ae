#pragma once
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Tells the user about a failure that reached a window procedure or another
// callback of Windows, where it must stop. Never throws.
void ReportUnhandledError(HWND window, const std::string& description) noexcept;

}  // namespace quelbrin::win32
