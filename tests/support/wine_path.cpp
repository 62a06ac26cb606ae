#include "tests/support/wine_path.h"

#include "platform/win32/utf.h"

namespace quelbrin::test {

std::wstring WinePath(const std::string& linuxPath) {
    std::wstring path = L"Z:" + win32::Widen(linuxPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    while (path.size() > 3 && path.back() == L'\\') path.pop_back();
    return path;
}

}  // namespace quelbrin::test
