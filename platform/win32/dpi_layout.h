#pragma once
#include <functional>
#include <vector>

#include "platform/twips.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/windows_wrapper.h"

namespace quelbrin::win32 {

// A rectangle in twips within a parent's client area.
struct TwipsRect {
    int left, top, width, height;
};

// The rectangle in pixels at a DPI, its edges rounded (see RectToPixels).
inline layout::PixelRect ToPixels(const TwipsRect& rect, int dpi) {
    return layout::RectToPixels(rect.left, rect.top, rect.width, rect.height, dpi);
}

// How much of a control's fixed caption must fit: none (it holds no fixed
// caption), inside a push button's frame, or the label's whole width.
enum class CaptionRoom { None, Button, Label };

// A window's client area and controls as designed in twips, laid out at the
// DPI the window is shown at now, with fonts made at that DPI. The window
// holds it and lays out again when its DPI changes (WM_DPICHANGED).
class DpiLayout {
public:
    DpiLayout(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips);
    DpiLayout(const DpiLayout&) = delete;
    DpiLayout& operator=(const DpiLayout&) = delete;

    // A control to place; it gets the bold "MS Sans Serif" or the window font.
    void Add(HWND control, const TwipsRect& rect, bool boldSansSerif, CaptionRoom room);

    // The DPI of the last layout; 0 before the first.
    int Dpi() const { return dpi_; }
    // The outer size of the window at a DPI. Throws ErrorInfo.
    SIZE WindowSize(int dpi) const;

    // Sizes the client area (keeping the window where it is), places every
    // control and gives each its font, all at `dpi`. The fonts of the
    // previous layout are freed once no control uses them. Throws ErrorInfo.
    void Apply(HWND window, int dpi);
    // WM_GETDPISCALEDSIZE and WM_DPICHANGED, alike for every window: the
    // first gets the window's size at the new DPI; on the second the window
    // takes the rectangle Windows suggests, everything is laid out at the new
    // DPI and then `afterChange` remakes what else the window sized for it
    // (icons, tooltips). Returns the message's answer.
    LRESULT HandleDpiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             const std::function<void(int dpi)>& afterChange);

private:
    struct Placed {
        HWND control;
        TwipsRect rect;
        bool bold;
        CaptionRoom room;
    };

    DWORD style_, exStyle_;
    int clientWidth_, clientHeight_;
    std::vector<Placed> controls_;
    int dpi_ = 0;
    UniqueFont defaultFont_, boldFont_;
    std::vector<UniqueFont> fittedFonts_;  // narrowed for captions that need it
};

}  // namespace quelbrin::win32
