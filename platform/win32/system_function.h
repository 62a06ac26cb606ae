#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A function of a system DLL the program has loaded already (kernel32,
// user32), looked up rather than imported: where this Windows lacks it, a
// missing import would keep the program from starting at all. Null then.
// Never loads a DLL, so the DLL search order plays no part.
template <typename Function>
Function SystemFunction(const wchar_t* dll, const char* name) {
    const HMODULE module = GetModuleHandleW(dll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// A function of a system DLL the program neither imports nor has loaded
// (shcore), loaded from System32 alone, whatever the process's DLL search
// allows: a DLL of that name beside the program or in the current folder is
// never taken. The DLL stays loaded for the rest of the run. Null where
// this Windows lacks the DLL or the function, or cannot keep the search to
// System32 (Windows 7 without its update).
template <typename Function>
Function System32Function(const wchar_t* dll, const char* name) {
    const HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace quelbrin::win32
