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

// The per-DPI functions of user32 below are Windows 10's: Windows 7 and 8.1
// lack them. Windows 8.1 has the monitor's DPI in shcore.dll; Windows 7 has
// only the DPI of the screen and the system metrics.

int ScreenDpi() { return DpiOfDc(nullptr); }

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    if (const auto getDpi = SystemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow"))
        if (const UINT dpi = getDpi(window); dpi > 0) return static_cast<int>(dpi);
    // The screen's DPI would be wrong on a monitor with another scale.
    if (const HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST) : nullptr)
        return MonitorDpi(monitor);
    return DpiOfDc(window);
}

int MonitorDpi(HMONITOR monitor) {
    // MDT_EFFECTIVE_DPI: the scale the user chose for the monitor.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpi = System32Function<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0, y = 0;
    if (monitor && getDpi && SUCCEEDED(getDpi(monitor, 0, &x, &y)) && y > 0) return static_cast<int>(y);
    return ScreenDpi();
}

HMONITOR PrimaryMonitor() { return MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY); }

RECT WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return work;
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
