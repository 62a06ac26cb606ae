#pragma once
#include <optional>
#include <string>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// The shell's folder picker over `owner`; nothing when the user cancels.
// A chosen item without a file-system path gives the empty text.
std::optional<std::string> PickFolder(HWND owner, const std::string& title, unsigned flags);

}  // namespace quelbrin::win32
