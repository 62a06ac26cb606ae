#pragma once

// Twips (1/1440 inch) to pixels: the one place where the windows' design,
// written in twips, meets the DPI a window is shown at. Every size and
// position on screen goes through here, so the windows look the same at any
// DPI and on every monitor.
namespace quelbrin::layout {

// The DPI at which one pixel is 15 twips.
constexpr int kBaseDpi = 96;

// Rounded to the nearest pixel, halves up.
constexpr int TwipsToPixels(int twips, int dpi) { return (twips * dpi + 720) / 1440; }

struct PixelRect {
    int left, top, width, height;
    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr bool operator==(const PixelRect&) const = default;
};

// A rectangle in twips at a DPI. Its edges are rounded, not its size: two
// controls that stand apart in twips stay apart in pixels, and a control
// inside the client area stays inside it, whatever the DPI.
constexpr PixelRect RectToPixels(int left, int top, int width, int height, int dpi) {
    const int l = TwipsToPixels(left, dpi), t = TwipsToPixels(top, dpi);
    return PixelRect{l, t, TwipsToPixels(left + width, dpi) - l, TwipsToPixels(top + height, dpi) - t};
}

// The windows' fonts are 8.25 pt: 165 twips of character height.
constexpr int kFontHeightTwips = 165;

// Lengths the system draws in pixels at 96 DPI (a button's frame, an icon),
// as twips, so that they scale with everything else.
constexpr int BasePixelsToTwips(int pixels) { return pixels * 1440 / kBaseDpi; }

}  // namespace quelbrin::layout
