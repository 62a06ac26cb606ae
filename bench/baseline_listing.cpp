#include "bench/baseline_listing.h"

#include <algorithm>

#include "platform/win32/unique_handle.h"

namespace quelbrin::bench {

namespace {

bool EndsWithHfz(const wchar_t* name) {
    const std::size_t n = wcslen(name);
    if (n <= 4) return false;
    const wchar_t* ext = name + n - 4;
    return ext[0] == L'.' && (ext[1] | 0x20) == L'h' && (ext[2] | 0x20) == L'f' &&
           (ext[3] | 0x20) == L'z';
}

}  // namespace

BareListing ListHfzBare(const std::wstring& folder) {
    BareListing result;
    std::wstring pattern = folder;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';

    WIN32_FIND_DATAW data;
    win32::UniqueFindHandle find(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                                  FindExSearchNameMatch, nullptr,
                                                  FIND_FIRST_EX_LARGE_FETCH));
    if (!find) {
        result.error = GetLastError();
        return result;
    }
    constexpr DWORD kSkipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if ((data.dwFileAttributes & kSkipped) == 0 && EndsWithHfz(data.cFileName))
            result.names.emplace_back(data.cFileName);
    } while (FindNextFileW(find.get(), &data));
    const DWORD end = GetLastError();
    if (end != ERROR_NO_MORE_FILES) result.error = end;

    std::sort(result.names.begin(), result.names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                              b.c_str(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
    return result;
}

}  // namespace quelbrin::bench
