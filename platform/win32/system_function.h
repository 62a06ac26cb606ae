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

}  // namespace quelbrin::win32
