#pragma once
#include <string>

namespace quelbrin::test {

// A Linux path (of the build tree) as the programs under Wine see it: the
// Unix root is the drive Z:.
std::wstring WinePath(const std::string& linuxPath);

}  // namespace quelbrin::test
