#pragma once
#include <cstdint>
#include <string>

#include "platform/error_info.h"

namespace quelbrin::win32 {

// The platform's wording for a Win32 error code, trailing CR/LF trimmed.
std::string DescribeError(std::uint32_t code);

// An ErrorInfo for a Win32 error code; `operation` names the failing call.
ErrorInfo MakeError(std::uint32_t code, const std::string& operation);

// Captures GetLastError() at once; call right after the failing call.
[[noreturn]] void ThrowLastError(const std::string& operation);

}  // namespace quelbrin::win32
