#pragma once
#include <string>
#include <vector>

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::bench {

// The file list's content with nothing but the system calls: the ordinary
// files of a folder whose names end in ".hfz" (any case), no hidden or system
// files, no folders, sorted as the list sorts (user locale, case ignored).
// Kept in UTF-16 on purpose: this is the bare platform Quelbrin is measured against.
struct BareListing {
    std::vector<std::wstring> names;
    DWORD error = ERROR_SUCCESS;  // set when the folder could not be listed
};

BareListing ListHfzBare(const std::wstring& folder);

}  // namespace quelbrin::bench
