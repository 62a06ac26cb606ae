#include "platform/win32/dll_search.h"

#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

bool RestrictDllSearch() {
    // Looked up rather than imported: Windows 7 has it only with KB2533623,
    // and a missing import would keep the program from starting at all.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    const auto setDefault = kernel ? reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
                                         GetProcAddress(kernel, "SetDefaultDllDirectories")))
                                   : nullptr;
    if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return true;
    SetDllDirectoryW(L"");
    return false;
}

}  // namespace quelbrin::win32
