// Both windows laid out from their twips tables at the DPIs Windows offers
// (100, 125, 150 and 200 %): every control inside the client area, and
// controls that the design keeps apart never touching.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "main_window/main_form_layout.h"
#include "platform/screen_place.h"
#include "platform/twips.h"
#include "tests/support/reliability_case.h"

namespace quelbrin::layout {

void PrintTo(const PixelRect& r, std::ostream* out) {
    *out << r.left << ", " << r.top << ", " << r.width << " x " << r.height;
}

namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

// The design as the forms were drawn, in pixels at 96 DPI (15 twips each):
// id, left, top, width, height; and each form's client area.
struct Designed {
    int id;
    int left, top, width, height;
};
constexpr Designed kMainDesign[] = {
    {IdFileList, 8, 8, 153, 97},   {IdTxPath, 168, 8, 241, 19},  {IdBtBrowse, 168, 32, 121, 25},
    {IdBtInst, 288, 32, 121, 25},  {IdBtStart, 168, 56, 241, 25}, {IdBtAbout, 168, 80, 121, 25},
    {IdBtExit, 288, 80, 121, 25},  {IdStatus2, 0, 112, 209, 17}, {IdStatus1, 208, 112, 209, 17},
};
constexpr Designed kDialogDesign[] = {
    {IdPicture1, 8, 8, 52, 51},  {IdTxPathInst, 8, 64, 377, 19}, {IdOKButton, 336, 8, 49, 25},
    {IdLabel3, 72, 24, 257, 17}, {IdLabel2, 72, 8, 265, 17},     {IdLabel1, 72, 48, 313, 17},
};
constexpr int kMainWidth = 417, kMainHeight = 129, kDialogWidth = 392, kDialogHeight = 89;

bool Apart(const Designed& a, const Designed& b) {
    return a.left + a.width <= b.left || b.left + b.width <= a.left ||
           a.top + a.height <= b.top || b.top + b.height <= a.top;
}
bool Apart(const PixelRect& a, const PixelRect& b) {
    return a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
}
// A pixel edge at `dpi` lies within a pixel of the design's, scaled.
bool Near(int pixels, int designed, int dpi) { return std::abs(pixels * 96 - designed * dpi) < 96; }

// Lays a window out from the program's table, the way the windows do, and
// checks it against the design above: exact at 96 DPI, and scaled, inside
// the client area and apart at the others.
template <typename Spec, std::size_t N, std::size_t M>
void CheckLayout(const std::array<Spec, N>& table, const Designed (&design)[M], int clientWidth,
                 int clientHeight) {
    ASSERT_EQ(N, M);
    for (const int dpi : kDpis) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        std::map<int, PixelRect> placed;
        for (const Spec& spec : table)
            placed[spec.id] = RectToPixels(spec.left, spec.top, spec.width, spec.height, dpi);
        for (const Designed& d : design) {
            SCOPED_TRACE("control " + std::to_string(d.id));
            ASSERT_EQ(placed.count(d.id), 1u);
            const PixelRect r = placed[d.id];
            if (dpi == 96) { EXPECT_EQ(r, (PixelRect{d.left, d.top, d.width, d.height})); }
            EXPECT_TRUE(Near(r.left, d.left, dpi) && Near(r.top, d.top, dpi) &&
                        Near(r.Right(), d.left + d.width, dpi) && Near(r.Bottom(), d.top + d.height, dpi))
                << r.left << ", " << r.top << ", " << r.width << " x " << r.height;
            EXPECT_TRUE(r.left >= 0 && r.top >= 0);
            EXPECT_LE(r.Right() * 96, clientWidth * dpi + 48) << "past the client area's right edge";
            EXPECT_LE(r.Bottom() * 96, clientHeight * dpi + 48) << "past the client area's bottom";
            for (const Designed& other : design) {
                if (other.id <= d.id || !Apart(d, other)) continue;
                EXPECT_TRUE(Apart(r, placed[other.id])) << "overlaps control " << other.id;
            }
        }
    }
}

TEST(LayoutAtDpi, MainWindowControlsStayInsideAndApart) {
    CheckLayout(kMainControls, kMainDesign, kMainWidth, kMainHeight);
}

TEST(LayoutAtDpi, DialogControlsStayInsideAndApart) {
    CheckLayout(kDialogControls, kDialogDesign, kDialogWidth, kDialogHeight);
}

PixelRect Placed(ControlId id, int dpi) {
    for (const ControlSpec& spec : kMainControls)
        if (spec.id == id) return RectToPixels(spec.left, spec.top, spec.width, spec.height, dpi);
    return {};
}

TEST(LayoutAtDpi, TwipsBecomePixelsByTheirEdges) {
    // The client areas at 100, 125, 150 and 200 %, and Status1 ending on the
    // main window's right edge at each: 417, 521.25, 625.5 and 834 pixels.
    const int widths[] = {417, 521, 626, 834};
    for (std::size_t i = 0; i < std::size(kDpis); ++i) {
        EXPECT_EQ(TwipsToPixels(kClientWidth, kDpis[i]), widths[i]) << kDpis[i];
        EXPECT_EQ(Placed(IdStatus1, kDpis[i]).Right(), widths[i]) << kDpis[i];
    }
    EXPECT_EQ(TwipsToPixels(kClientHeight, 96), kMainHeight);
    EXPECT_EQ(TwipsToPixels(kDialogClientWidth, 96), kDialogWidth);
    EXPECT_EQ(TwipsToPixels(kDialogClientHeight, 120), 111) << "111.25 rounds down";
    // The file list at 150 %: 12, 12 to 241.5, 157.5.
    EXPECT_EQ(Placed(IdFileList, 144), (PixelRect{12, 12, 230, 146}));
    // "Cancel / Exit" at 125 %: 360, 100 to 511.25, 131.25.
    EXPECT_EQ(Placed(IdBtExit, 120), (PixelRect{360, 100, 151, 31}));
    // Where both the left edge and the width fall on half a pixel, the size
    // gives way, not the right edge: 2.5 to 5 pixels at 125 %.
    EXPECT_EQ(RectToPixels(30, 30, 30, 30, 120), (PixelRect{3, 3, 2, 2}));
    // 8.25 pt, and the 8 pixels of a button's frame at 96 DPI.
    EXPECT_EQ(TwipsToPixels(kFontHeightTwips, 96), 11);
    EXPECT_EQ(TwipsToPixels(kFontHeightTwips, 144), 17);
    EXPECT_EQ(TwipsToPixels(BasePixelsToTwips(8), 120), 10);
}

// A 400 x 120 dialog: on a monitor right of the primary, then against its right edge; on one left of
// and above the primary, then half off its left edge; with 100 pixels of room for 120, at the top.
TEST(WindowPlace, CentredOverTheOwnerInsideTheWorkAreaOfItsMonitor) {
    test::ReliabilityCase("Several monitors", "the About dialog over an owner on a monitor at x 1920 to 3840, on one left of the primary (negative coordinates), and on one shorter than the dialog",
                          "centred over the owner and kept inside that monitor's work area, never pulled onto the primary; a dialog taller than the room keeps its caption at the top");
    EXPECT_EQ(CentredWithin({2400, 300, 2820, 500}, 400, 120, {1920, 0, 3840, 1040}), (ScreenPoint{2410, 340}));
    EXPECT_EQ(CentredWithin({3700, 300, 4120, 500}, 400, 120, {1920, 0, 3840, 1040}), (ScreenPoint{3440, 340}));
    EXPECT_EQ(CentredWithin({-1700, -200, -1280, 0}, 400, 120, {-1920, -300, 0, 780}), (ScreenPoint{-1690, -160}));
    EXPECT_EQ(CentredWithin({-2000, 600, -1580, 800}, 400, 120, {-1920, -300, 0, 780}), (ScreenPoint{-1920, 640}));
    EXPECT_EQ(CentredWithin({100, 20, 520, 80}, 400, 120, {0, 0, 1024, 100}), (ScreenPoint{110, 0}));
}

}  // namespace
}  // namespace quelbrin::layout
