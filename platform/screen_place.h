#pragma once
#include <algorithm>

namespace quelbrin::layout {

// A rectangle on the virtual screen in pixels, right and bottom excluded.
// Monitors left of or above the primary one have negative coordinates.
struct ScreenRect {
    int left, top, right, bottom;
};

struct ScreenPoint {
    int x, y;
    constexpr bool operator==(const ScreenPoint&) const = default;
};

// The top-left corner of a window of this size, centred over `over` and
// then moved into `work`, the work area of the monitor it is to open on.
// A window larger than that keeps its top-left corner inside it, so that
// its caption can still be grabbed.
constexpr ScreenPoint CentredWithin(const ScreenRect& over, int width, int height, const ScreenRect& work) {
    const int x = over.left + (over.right - over.left - width) / 2;
    const int y = over.top + (over.bottom - over.top - height) / 2;
    return ScreenPoint{std::max(work.left, std::min(x, work.right - width)),
                       std::max(work.top, std::min(y, work.bottom - height))};
}

}  // namespace quelbrin::layout
