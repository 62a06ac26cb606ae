#include "platform/win32/caption_fit.h"

#include <algorithm>

#include "platform/twips.h"
#include "platform/win32/utf.h"

namespace quelbrin::win32 {

namespace {

struct TextSize {
    int width = 0;
    int averageCharWidth = 0;
};

TextSize Measure(HFONT font, const std::wstring& text) {
    TextSize size;
    const HDC dc = GetDC(nullptr);
    if (!dc) return size;
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent))
        size.width = extent.cx;
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics)) size.averageCharWidth = metrics.tmAveCharWidth;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size;
}

}  // namespace

UniqueFont NarrowedToFit(HFONT font, const std::string& text, int width) {
    const std::wstring wide = Widen(text);
    const TextSize natural = Measure(font, wide);
    if (wide.empty() || width <= 0 || natural.width <= width || natural.averageCharWidth <= 0) return {};
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof lf, &lf)) return {};
    // lfWidth scales the glyphs; start from the proportional guess and
    // narrow further while rounding still leaves it too wide.
    int charWidth = std::max(1, natural.averageCharWidth * width / natural.width);
    for (; charWidth >= 1; --charWidth) {
        lf.lfWidth = charWidth;
        UniqueFont narrowed(CreateFontIndirectW(&lf));
        if (!narrowed) return {};
        if (Measure(narrowed.get(), wide).width <= width || charWidth == 1) return narrowed;
    }
    return {};
}

int ButtonCaptionRoom(int buttonWidth, int dpi) {
    // The edges and the focus rectangle take about four pixels a side at 96 DPI.
    return buttonWidth - layout::TwipsToPixels(layout::BasePixelsToTwips(8), dpi);
}

UniqueFont FitCaption(HWND control, HFONT font, int textWidth) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(std::max(GetWindowTextW(control, text.data(), length + 1), 0)));
    UniqueFont narrowed = NarrowedToFit(font, Narrow(text), textWidth);
    if (narrowed) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(narrowed.get()), FALSE);
    return narrowed;
}

}  // namespace quelbrin::win32
