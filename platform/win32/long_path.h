#pragma once
#include <string>

namespace quelbrin::win32 {

// A path as the file functions take it. One too long for MAX_PATH is made
// absolute and given the "\\?\" (or "\\?\UNC\") prefix; shorter ones and
// paths that already carry a prefix are returned as they are.
std::wstring ToFileApiPath(const std::wstring& path);

}  // namespace quelbrin::win32
