#pragma once
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// The DPI of the screen as a whole (the system DPI), for a window that does
// not exist yet. Read anew each time: a window's own DPI is what counts.
int ScreenDpi();

// The DPI a window is shown at now: its monitor's, for this per-monitor
// aware program on Windows 8.1 and later; the screen's on Windows 7.
int WindowDpi(HWND window);

// The DPI of a monitor, for a window that is to open on it: its own on
// Windows 8.1 and later, the screen's on Windows 7.
int MonitorDpi(HMONITOR monitor);

// The monitor a window that does not exist yet opens on: the primary one.
HMONITOR PrimaryMonitor();

// The monitor's work area (without the taskbar), in screen coordinates.
RECT WorkArea(HMONITOR monitor);

// A system metric (an icon's size, say) at a DPI; the system DPI's where
// Windows has no metrics per DPI (before Windows 10 1607).
int SystemMetricForDpi(int index, int dpi);

// The outer size of a window whose client area is width x height pixels at
// a DPI, with the frame Windows draws at that DPI. Throws ErrorInfo.
SIZE WindowSizeForClient(DWORD style, DWORD exStyle, int width, int height, int dpi);

}  // namespace quelbrin::win32
