#include "platform/win32/com_library.h"

#include <objbase.h>

#include "platform/win32/system_function.h"

namespace quelbrin::win32::com {

namespace {

using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
using CoTaskMemFreeFn = void(WINAPI*)(void*);

struct Ole32 {
    bool tried = false;
    bool entered = false;  // the apartment, by this program's call
    CoUninitializeFn uninitialize = nullptr;
    CoCreateInstanceFn createInstance = nullptr;
    CoTaskMemFreeFn taskMemFree = nullptr;
};
Ole32 g_ole32;

}  // namespace

bool Ready() {
    if (!g_ole32.tried) {
        g_ole32.tried = true;
        const auto initialize = System32Function<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
        g_ole32.uninitialize = System32Function<CoUninitializeFn>(L"ole32.dll", "CoUninitialize");
        g_ole32.createInstance = System32Function<CoCreateInstanceFn>(L"ole32.dll", "CoCreateInstance");
        g_ole32.taskMemFree = System32Function<CoTaskMemFreeFn>(L"ole32.dll", "CoTaskMemFree");
        if (initialize && g_ole32.uninitialize && g_ole32.createInstance && g_ole32.taskMemFree) {
            // S_FALSE: the thread was in an apartment already; it still needs
            // its CoUninitialize.
            const HRESULT entered = initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
            g_ole32.entered = SUCCEEDED(entered);
            if (!g_ole32.entered) g_ole32.createInstance = nullptr;
        } else {
            g_ole32.createInstance = nullptr;
        }
    }
    return g_ole32.createInstance != nullptr;
}

HRESULT CreateInProcess(const GUID& classId, const GUID& interfaceId, void** made) {
    *made = nullptr;
    if (!Ready()) return E_FAIL;
    return g_ole32.createInstance(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, made);
}

void FreeTaskMemory(void* memory) {
    if (memory && g_ole32.taskMemFree) g_ole32.taskMemFree(memory);
}

void End() {
    if (g_ole32.entered) g_ole32.uninitialize();
    g_ole32.entered = false;
    g_ole32.createInstance = nullptr;
}

}  // namespace quelbrin::win32::com
