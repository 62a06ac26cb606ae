#include "platform/win32/dpi_layout.h"

#include <utility>

#include "platform/twips.h"
#include "platform/win32/caption_fit.h"
#include "platform/win32/child_window.h"
#include "platform/win32/fonts.h"
#include "platform/win32/screen_scale.h"

namespace quelbrin::win32 {

DpiLayout::DpiLayout(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips)
    : style_(style), exStyle_(exStyle), clientWidth_(clientWidthTwips), clientHeight_(clientHeightTwips) {}

void DpiLayout::Add(HWND control, const TwipsRect& rect, bool boldSansSerif, CaptionRoom room) {
    controls_.push_back(Placed{control, rect, boldSansSerif, room});
}

SIZE DpiLayout::WindowSize(int dpi) const {
    return WindowSizeForClient(style_, exStyle_, layout::TwipsToPixels(clientWidth_, dpi),
                               layout::TwipsToPixels(clientHeight_, dpi), dpi);
}

void DpiLayout::Apply(HWND window, int dpi) {
    FitClientArea(window, layout::TwipsToPixels(clientWidth_, dpi), layout::TwipsToPixels(clientHeight_, dpi));

    UniqueFont defaultFont = MakeDefaultFont(dpi);
    UniqueFont boldFont = MakeBoldSansSerifFont(dpi);
    std::vector<UniqueFont> fitted;
    for (const Placed& placed : controls_) {
        const layout::PixelRect r = ToPixels(placed.rect, dpi);
        // Z order is the tab order: it must stay as it is.
        SetWindowPos(placed.control, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        const HFONT font = placed.bold ? boldFont.get() : defaultFont.get();
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        UniqueFont narrowed;
        if (placed.room == CaptionRoom::Button)
            narrowed = FitCaption(placed.control, font, ButtonCaptionRoom(r.width, dpi));
        else if (placed.room == CaptionRoom::Label)
            narrowed = FitCaption(placed.control, font, r.width);
        if (narrowed) fitted.push_back(std::move(narrowed));
    }
    // Every control now uses the new fonts; the old ones go here.
    defaultFont_ = std::move(defaultFont);
    boldFont_ = std::move(boldFont);
    fittedFonts_ = std::move(fitted);
    dpi_ = dpi;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT DpiLayout::HandleDpiMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                    const std::function<void(int dpi)>& afterChange) {
    const int dpi = LOWORD(wParam);
    if (message == WM_GETDPISCALEDSIZE) {
        *reinterpret_cast<SIZE*>(lParam) = WindowSize(dpi);
        return TRUE;
    }
    const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // Apply keeps that position and makes the client area exact, where the
    // suggestion was scaled from the old size and is a pixel off.
    Apply(window, dpi);
    afterChange(dpi);
    return 0;
}

}  // namespace quelbrin::win32
