#include "platform/win32/utf.h"

#include "platform/utf16.h"

namespace quelbrin::win32 {

// Not MultiByteToWideChar / WideCharToMultiByte: they turn an unpaired
// surrogate, which a file name may hold, into U+FFFD.
std::wstring Widen(std::string_view utf8) { return Utf8ToUtf16<wchar_t>(utf8); }

std::string Narrow(std::wstring_view utf16) { return Utf16ToUtf8<wchar_t>(utf16); }

}  // namespace quelbrin::win32
