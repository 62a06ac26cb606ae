#include "platform/win32/screen_scale.h"

#include "platform/twips.h"
#include "platform/win32/system_function.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {

int DpiOfDc(HWND window) {
    const HDC dc = GetDC(window);
    const int value = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (dc) ReleaseDC(window, dc);
    return value > 0 ? value : layout::kBaseDpi;
}

}  // namespace

// The per-DPI functions below are Windows 10's: Windows 7 and 8.1 lack them,
// and then the DPI of the screen and the system metrics serve.

int ScreenDpi() { return DpiOfDc(nullptr); }

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpi = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow"))
        if (const UINT dpi = getDpi(window); dpi > 0) return static_cast<int>(dpi);
    return DpiOfDc(window);
}

int SystemMetricForDpi(int index, int dpi) {
    using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
    if (const auto forDpi = SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi"))
        return forDpi(index, static_cast<UINT>(dpi));
    return GetSystemMetrics(index);
}

SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height, int dpi) {
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    RECT r{0, 0, width, height};
    if (const auto adjust = SystemFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi")) {
        if (!adjust(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)))
            ThrowLastError("AdjustWindowRectExForDpi");
    } else if (!AdjustWindowRectEx(&r, style, FALSE, exStyle)) {
        ThrowLastError("AdjustWindowRectEx");
    }
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace quelbrin::win32
