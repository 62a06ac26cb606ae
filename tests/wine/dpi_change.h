#pragma once
// Wine never sends WM_DPICHANGED by itself: these send it the way Windows
// does when a window moves to a monitor of another DPI, and check where the
// controls went.
#include <gtest/gtest.h>

#include "platform/win32/windows_wrapper.h"

#include "platform/twips.h"

namespace quelbrin::win32::dpi_test {

// A control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// WM_DPICHANGED with `dpi` in both words of wParam and, as the suggested
// rectangle, the window's own moved by 40, 30 pixels and scaled from
// `fromDpi` the way Windows scales it (which may be a pixel off the exact
// client area). Returns that rectangle.
inline RECT SendDpiChanged(HWND window, int fromDpi, int dpi) {
    RECT now{};
    GetWindowRect(window, &now);
    RECT suggested{now.left + 40, now.top + 30, 0, 0};
    suggested.right = suggested.left + MulDiv(now.right - now.left, dpi, fromDpi);
    suggested.bottom = suggested.top + MulDiv(now.bottom - now.top, dpi, fromDpi);
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}

// The window took the suggested position, and its client area is the
// design's twips at `dpi`.
inline void ExpectWindowAt(HWND window, const RECT& suggested, int widthTwips, int heightTwips, int dpi) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(outer.left, suggested.left);
    EXPECT_EQ(outer.top, suggested.top);
    EXPECT_EQ(client.right, layout::TwipsToPixels(widthTwips, dpi));
    EXPECT_EQ(client.bottom, layout::TwipsToPixels(heightTwips, dpi));
    // Asked beforehand for its size at this DPI, it names the size it took.
    // Wine draws the caption at 96 DPI's height whatever the DPI, where
    // Windows scales it: the height asked for is at least the height taken.
    SIZE scaled{};
    EXPECT_TRUE(SendMessageW(window, WM_GETDPISCALEDSIZE, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&scaled)));
    EXPECT_EQ(scaled.cx, outer.right - outer.left);
    EXPECT_GE(scaled.cy, outer.bottom - outer.top);
}

// The control sits on its design rectangle at `dpi`, edges rounded.
inline void ExpectControlAt(HWND control, int left, int top, int width, int height, int dpi) {
    const RECT r = RectInParent(control);
    EXPECT_EQ(r.left, layout::TwipsToPixels(left, dpi));
    EXPECT_EQ(r.top, layout::TwipsToPixels(top, dpi));
    EXPECT_EQ(r.right, layout::TwipsToPixels(left + width, dpi));
    EXPECT_EQ(r.bottom, layout::TwipsToPixels(top + height, dpi));
}

inline HFONT FontOf(HWND control) { return reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)); }

// The character height of a control's font in pixels: 8.25 pt is 11 at 96
// DPI, 17 at 144.
inline int FontHeightOf(HWND control) {
    LOGFONTW lf{};
    GetObjectW(FontOf(control), sizeof lf, &lf);
    return -lf.lfHeight;
}

// An icon's width in pixels.
inline int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

}  // namespace quelbrin::win32::dpi_test
