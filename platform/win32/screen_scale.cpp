#include "platform/win32/screen_scale.h"

#include "platform/twips.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {

// Looked up rather than imported: Windows 7 and 8.1 have neither, and a
// missing import would keep the program from starting at all.
template <typename Function>
Function FromUser32(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                  : nullptr;
}

int DpiOfDc(HWND window) {
    const HDC dc = GetDC(window);
    const int value = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(window, dc);
    return value > 0 ? value : layout::kBaseDpi;
}

}  // namespace

int ScreenDpi() { return DpiOfDc(nullptr); }

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpi = FromUser32<GetDpiForWindowFn>("GetDpiForWindow"))
        if (const UINT dpi = getDpi(window); dpi > 0) return static_cast<int>(dpi);
    return DpiOfDc(window);
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    if (const auto forDpi = FromUser32<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi"))
        return forDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    RECT r{0, 0, width, height};
    if (const auto adjust = FromUser32<AdjustForDpiFn>("AdjustWindowRectExForDpi")) {
        if (!adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
            ThrowLastError("AdjustWindowRectExForDpi");
    } else if (!AdjustWindowRectEx(&r, style, FALSE, exStyle)) {
        ThrowLastError("AdjustWindowRectEx");
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace quelbrin::win32
