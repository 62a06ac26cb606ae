#include "platform/win32/screen_scale.h"

#include "platform/window_design.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

int ScreenDpi() {
    // The system DPI only changes with a new logon, so one reading will do.
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int TwipsToScreenPixels(int twips) { return layout::TwipsToPixels(twips, ScreenDpi()); }

}  // namespace quelbrin::win32
