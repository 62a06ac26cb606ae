#pragma once
#include <string>
#include <string_view>

namespace quelbrin::win32 {

// UTF-8 inside the program, UTF-16 at the W calls. Every UTF-16 text comes
// back exactly, an unpaired surrogate too (platform/utf16.h); bytes that are
// not UTF-8 become U+FFFD; embedded NULs are kept.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace quelbrin::win32
