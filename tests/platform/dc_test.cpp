// Drawing: the inverting mix mode, clipping, figures and text placement.
#include "platform/bitmap.h"
#include "platform/dc.h"

#include <gtest/gtest.h>

using namespace plat;

namespace {

// A picture with every pixel different enough that a wrong restore shows.
Bitmap Pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, Color(std::uint8_t(x * 7), std::uint8_t(y * 5), std::uint8_t(x ^ y)));
    return b;
}

int CountDifferent(const Bitmap& a, const Bitmap& b) {
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

TEST(DrawingContext, InvertingFiguresDrawnTwiceRestoreEveryPixel) {
    for (int mode : {R2_NOTXORPEN, R2_XORPEN, R2_NOT}) {
        Bitmap target = Pattern(64, 48);
        const Bitmap before = target;
        DC dc(target);
        dc.SetROP2(mode);
        dc.SelectPen(Pen(Pen::Solid, 2, Color(40, 200, 90)));
        dc.SelectBrush(Brush::Hollow());
        Rect wire(5, 4, 58, 41);
        dc.Ellipse(wire);
        dc.DrawFocusRect(Rect(10, 10, 30, 20));
        EXPECT_GT(CountDifferent(target, before), 100) << "mode " << mode;
        dc.DrawFocusRect(Rect(10, 10, 30, 20));
        dc.Ellipse(wire);
        EXPECT_EQ(CountDifferent(target, before), 0) << "mode " << mode;
    }
}

TEST(DrawingContext, NotXorWithBlackPenInvertsWhatLiesUnderThePen) {
    Bitmap target(20, 20, Color(10, 20, 30));
    DC dc(target);
    dc.SetROP2(R2_NOTXORPEN);
    dc.SelectPen(Pen(Pen::Solid, 1, Color(0, 0, 0)));
    dc.MoveTo(Point(2, 5));
    dc.LineTo(Point(15, 5));
    EXPECT_EQ(target.GetPixel(8, 5), Color(245, 235, 225));
    EXPECT_EQ(target.GetPixel(8, 6), Color(10, 20, 30));
}

TEST(DrawingContext, ClippingAndViewportLimitEveryOperation) {
    Bitmap target(40, 40, Color(255, 255, 255));
    DC dc(target);
    dc.SetViewportOrg(Point(10, 10));
    dc.IntersectClipRect(Rect(0, 0, 10, 10));  // surface (10,10)-(20,20)
    dc.FillSolidRect(Rect(-10, -10, 30, 30), Color(255, 0, 0));
    dc.SetROP2(R2_NOT);
    dc.SelectBrush(Brush(Color(0, 0, 0)));
    dc.Rectangle(Rect(-5, -5, 25, 25));
    EXPECT_EQ(target.GetPixel(9, 9), Color(255, 255, 255));
    EXPECT_EQ(target.GetPixel(20, 15), Color(255, 255, 255));
    EXPECT_EQ(target.GetPixel(15, 15), Color(0, 255, 255));  // red, inverted
    EXPECT_EQ(dc.GetClipBox(), Rect(0, 0, 10, 10));
}

TEST(DrawingContext, RectangleOutlineLiesInsideAndBrushFillsTheRest) {
    Bitmap target(20, 20, Color(255, 255, 255));
    DC dc(target);
    dc.SelectPen(Pen(Pen::Solid, 1, Color(0, 0, 255)));
    dc.SelectBrush(Brush(Color(0, 255, 0)));
    dc.Rectangle(Rect(2, 3, 12, 10));
    EXPECT_EQ(target.GetPixel(2, 3), Color(0, 0, 255));
    EXPECT_EQ(target.GetPixel(11, 9), Color(0, 0, 255));
    EXPECT_EQ(target.GetPixel(12, 9), Color(255, 255, 255));
    EXPECT_EQ(target.GetPixel(6, 6), Color(0, 255, 0));
    EXPECT_FALSE(dc.PolyBezier({{0, 0}, {1, 1}, {2, 2}}));  // not 3n + 1 points
}

TEST(DrawingContext, BitBltAndMaskBltCopyTheRightPixels) {
    Bitmap src(4, 1, Color(0, 0, 0));
    src.SetPixel(0, 0, Color(200, 0, 0));
    src.SetPixel(1, 0, Color(0, 0, 0));
    src.SetPixel(2, 0, Color(0, 0, 100));
    Bitmap mask(4, 1, Color(0, 0, 0));
    mask.SetPixel(0, 0, Color(255, 255, 255));
    Bitmap target(6, 2, Color(0, 50, 0));
    DC dc(target);
    dc.MaskBlt(1, 0, 4, 1, src, 0, 0, mask, 0, 0);
    EXPECT_EQ(target.GetPixel(1, 0), Color(200, 0, 0));  // mask set: copied
    EXPECT_EQ(target.GetPixel(2, 0), Color(0, 50, 0));   // black OR-ed: unchanged
    EXPECT_EQ(target.GetPixel(3, 0), Color(0, 50, 100)); // OR-ed
    dc.BitBlt(0, 1, 3, 1, src, 0, 0);
    EXPECT_EQ(target.GetPixel(0, 1), Color(200, 0, 0));
    EXPECT_EQ(target.GetPixel(3, 1), Color(0, 50, 0));
}

TEST(DrawingContext, TextIsPlacedByAlignmentAndMeasured) {
    Bitmap target(200, 40, Color(255, 255, 255));
    DC dc(target);
    dc.SetBkMode(TRANSPARENT);
    Size ext = dc.GetTextExtent("Hello");
    EXPECT_GT(ext.cx, 10);
    EXPECT_GT(ext.cy, 5);
    Rect calc(0, 0, 0, 0);
    dc.DrawText("Hello", calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.GetSize(), ext);

    // Right-aligned text leaves the left half blank.
    dc.DrawText("Hello", Rect(0, 0, 200, 40), DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    auto inkIn = [&](int x0, int x1) {
        for (int y = 0; y < 40; ++y)
            for (int x = x0; x < x1; ++x)
                if (target.GetPixel(x, y) != Color(255, 255, 255)) return true;
        return false;
    };
    EXPECT_FALSE(inkIn(0, 100));
    EXPECT_TRUE(inkIn(200 - ext.cx, 200));

    // An end ellipsis keeps long text inside its rectangle.
    Bitmap narrow(200, 20, Color(255, 255, 255));
    DC nd(narrow);
    nd.SetBkMode(TRANSPARENT);
    nd.DrawText("A rather long caption that cannot fit", Rect(0, 0, 60, 20),
                DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    for (int y = 0; y < 20; ++y)
        for (int x = 61; x < 200; ++x) ASSERT_EQ(narrow.GetPixel(x, y), Color(255, 255, 255));
}

}  // namespace
