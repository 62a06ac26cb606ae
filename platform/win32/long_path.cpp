#include "platform/win32/long_path.h"

#include <algorithm>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

namespace {

// Room left for "\*" or a file name appended to a folder.
constexpr std::size_t kShortLimit = MAX_PATH - 12;

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

std::wstring FullPath(const std::wstring& path) {
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (size != 0) {
        std::wstring full(size, L'\0');
        const DWORD written = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
        if (written == 0) break;
        if (written < size) {
            full.resize(written);
            return full;
        }
        size = written;
    }
    return path;
}

std::wstring ToFileApiPath(const std::wstring& path) {
    if (path.size() < kShortLimit || StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\"))
        return path;
    std::wstring full = path;
    std::replace(full.begin(), full.end(), L'/', L'\\');
    full = FullPath(full);
    if (StartsWith(full, L"\\\\?\\") || StartsWith(full, L"\\\\.\\")) return full;
    if (StartsWith(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

}  // namespace quelbrin::win32
