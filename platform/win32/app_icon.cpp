#include "platform/win32/app_icon.h"

#include "platform/win32/screen_scale.h"
#include "platform/win32/win32_error.h"

namespace quelbrin::win32 {

namespace {
constexpr int kAppIconId = 1;
}

UniqueIcon LoadAppIcon(int size) {
    UniqueIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                  MAKEINTRESOURCEW(kAppIconId), IMAGE_ICON,
                                                  size, size, LR_DEFAULTCOLOR)));
    if (icon) return icon;
    // A shared system icon must not be destroyed: keep a copy of our own.
    const HICON shared = LoadIconW(nullptr, IDI_APPLICATION);
    if (shared) icon.reset(static_cast<HICON>(CopyImage(shared, IMAGE_ICON, size, size, 0)));
    if (!icon) ThrowLastError("CopyImage");
    return icon;
}

WindowIcons AttachAppIcons(HWND window, int dpi) {
    WindowIcons icons{LoadAppIcon(SystemMetricForDpi(SM_CXICON, dpi)),
                      LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, dpi))};
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons.big.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons.small.get()));
    return icons;
}

}  // namespace quelbrin::win32
