#include "platform/win32/win32_error.h"

#include "platform/win32/utf.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

std::string DescribeError(std::uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) return "error " + std::to_string(code);
    return Narrow(text);
}

ErrorInfo MakeError(std::uint32_t code, const std::string& operation) {
    return ErrorInfo(static_cast<std::int32_t>(code), operation, DescribeError(code));
}

void ThrowLastError(const std::string& operation) {
    const DWORD code = GetLastError();
    throw MakeError(code, operation);
}

}  // namespace quelbrin::win32
