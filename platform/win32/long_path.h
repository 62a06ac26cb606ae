#pragma once
#include <string>

namespace quelbrin::win32 {

// A path as the file functions take it. One too long for MAX_PATH is made
// absolute and given the "\\?\" (or "\\?\UNC\") prefix; shorter ones and
// paths that already carry a prefix are returned as they are.
std::wstring ToFileApiPath(const std::wstring& path);

// The absolute form of a path, against the current folder, with ".", ".."
// and repeated separators resolved (the "\\?\" form would take them
// literally); the path as it is when Windows can't make one.
std::wstring FullPath(const std::wstring& path);

}  // namespace quelbrin::win32
