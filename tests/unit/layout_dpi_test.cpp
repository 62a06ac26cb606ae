// Both windows laid out from their twips tables at the DPIs Windows offers
// (100, 125, 150 and 200 %): every control inside the client area, and
// controls that the design keeps apart never touching.
#include <gtest/gtest.h>

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

// The design, written out here rather than read from the program's tables,
// so that a wrong entry there fails: id, left, top, width, height in twips.
struct Designed {
    int id;
    int left, top, width, height;
};
constexpr Designed kMainDesign[] = {
    {IdFileList, 120, 120, 2295, 1455}, {IdTxPath, 2520, 120, 3615, 285},
    {IdBtBrowse, 2520, 480, 1815, 375}, {IdBtInst, 4320, 480, 1815, 375},
    {IdBtStart, 2520, 840, 3615, 375},  {IdBtAbout, 2520, 1200, 1815, 375},
    {IdBtExit, 4320, 1200, 1815, 375},  {IdStatus2, 0, 1680, 3135, 255},
    {IdStatus1, 3120, 1680, 3135, 255},
};
constexpr Designed kDialogDesign[] = {
    {IdPicture1, 120, 120, 780, 765},   {IdTxPathInst, 120, 960, 5655, 285},
    {IdOKButton, 5040, 120, 735, 375},  {IdLabel3, 1080, 360, 3855, 255},
    {IdLabel2, 1080, 120, 3975, 255},   {IdLabel1, 1080, 720, 4695, 255},
};

bool Apart(const Designed& a, const Designed& b) {
    return a.left + a.width <= b.left || b.left + b.width <= a.left ||
           a.top + a.height <= b.top || b.top + b.height <= a.top;
}
bool Apart(const PixelRect& a, const PixelRect& b) {
    return a.Right() <= b.left || b.Right() <= a.left || a.Bottom() <= b.top || b.Bottom() <= a.top;
}

// Lays a window out from the program's table, the way the windows do, and
// checks it against the design above.
template <typename Spec, std::size_t N, std::size_t M>
void CheckLayout(const std::array<Spec, N>& table, const Designed (&design)[M], int clientWidth,
                 int clientHeight) {
    ASSERT_EQ(N, M);
    for (const int dpi : kDpis) {
        SCOPED_TRACE("at " + std::to_string(dpi) + " DPI");
        const int width = TwipsToPixels(clientWidth, dpi), height = TwipsToPixels(clientHeight, dpi);
        std::map<int, PixelRect> placed;
        for (const Spec& spec : table)
            placed[spec.id] = RectToPixels(spec.left, spec.top, spec.width, spec.height, dpi);
        for (const Designed& d : design) {
            SCOPED_TRACE("control " + std::to_string(d.id));
            ASSERT_EQ(placed.count(d.id), 1u);
            const PixelRect r = placed[d.id];
            EXPECT_GT(r.width, 0);
            EXPECT_GT(r.height, 0);
            EXPECT_GE(r.left, 0);
            EXPECT_GE(r.top, 0);
            EXPECT_LE(r.Right(), width);
            EXPECT_LE(r.Bottom(), height);
            if (dpi == 96) {
                EXPECT_EQ(r, (PixelRect{d.left / 15, d.top / 15, d.width / 15, d.height / 15}));
            }
            for (const Designed& other : design) {
                if (other.id <= d.id || !Apart(d, other)) continue;
                EXPECT_TRUE(Apart(r, placed[other.id])) << "overlaps control " << other.id;
            }
        }
    }
}

TEST(LayoutAtDpi, MainWindowControlsStayInsideAndApart) {
    CheckLayout(kMainControls, kMainDesign, 6255, 1935);
}

TEST(LayoutAtDpi, DialogControlsStayInsideAndApart) {
    CheckLayout(kDialogControls, kDialogDesign, 5880, 1335);
}

TEST(LayoutAtDpi, TwipsBecomePixelsByTheirEdges) {
    // The client areas: 417 x 129 and 392 x 89 pixels at 96 DPI.
    EXPECT_EQ(TwipsToPixels(kClientWidth, 96), 417);
    EXPECT_EQ(TwipsToPixels(kClientHeight, 96), 129);
    EXPECT_EQ(TwipsToPixels(kClientWidth, 144), 626) << "625.5 rounds up";
    EXPECT_EQ(TwipsToPixels(kDialogClientHeight, 120), 111) << "111.25 rounds down";
    EXPECT_EQ(TwipsToPixels(kClientWidth, 192), 834);
    // The file list at 150 %: 12, 12 to 241.5, 157.5.
    EXPECT_EQ(RectToPixels(120, 120, 2295, 1455, 144), (PixelRect{12, 12, 230, 146}));
    // "Cancel / Exit" at 125 %: 360, 100 to 511.25, 131.25.
    EXPECT_EQ(RectToPixels(4320, 1200, 1815, 375, 120), (PixelRect{360, 100, 151, 31}));
    // Where both the left edge and the width fall on half a pixel, the size
    // gives way, not the right edge: 2.5 to 5 pixels at 125 %.
    EXPECT_EQ(RectToPixels(30, 30, 30, 30, 120), (PixelRect{3, 3, 2, 2}));
    // Status1 ends on the client area's right edge at every DPI.
    for (const int dpi : kDpis)
        EXPECT_EQ(RectToPixels(3120, 1680, 3135, 255, dpi).Right(), TwipsToPixels(6255, dpi)) << dpi;
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
