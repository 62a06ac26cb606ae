#pragma once
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// Puts the text on the clipboard as CF_UNICODETEXT, `owner` its owner.
// Throws ErrorInfo.
void PutTextOnClipboard(HWND owner, const std::string& text);

}  // namespace quelbrin::win32
