// The mask editor's pixel work without a view: the span fill against a
// plain breadth-first fill (random masks, corners, the top row, bottom-up
// masks, a 4096 by 4096 one-pixel serpentine and spiral) and the brush's
// stamp (the union of discs, clipped at every edge and far beyond, no bit
// past the width or in the row padding touched).
#include "tests/framework/mask_fixture.h"

#include "framework/mask_editor/brush_tool.h"
#include "framework/mask_editor/span_fill.h"
#include "framework/tools/circle_tool.h"

#include <random>

namespace kortest {
namespace {

img::bitmap RandomMask(unsigned w, unsigned h, std::mt19937& rng, int percent, bool bmpOrder) {
    img::bitmap m = ClearMask(w, h, bmpOrder);
    std::uniform_int_distribution<int> d(0, 99);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) m.set(x, y, d(rng) < percent);
    return m;
}

TEST(SpanFill, FillsWhatAPlainFillFills) {
    std::mt19937 rng(7);
    for (int round = 0; round < 60; ++round) {
        unsigned w = 1 + rng() % 70, h = 1 + rng() % 40;
        img::bitmap m = RandomMask(w, h, rng, 30 + round % 40, round % 2 == 1);
        long x = long(rng() % w), y = long(rng() % h);
        bool v = round % 3 != 0;
        img::bitmap expected = m;
        PlainFill(expected, x, y, v);
        long changed = CountSet(expected) - CountSet(m);
        std::uint64_t n = Kor::SpanFill(m, x, y, v);
        ASSERT_TRUE(SamePixels(m, expected)) << "round " << round;
        EXPECT_EQ(long(n), v ? changed : -changed);
    }
}

TEST(SpanFill, CornersSeparateRegionsAndTheTopRowIsARow) {
    // Two clear regions touching only at a corner, in a set frame.
    img::bitmap m = ClearMask(4, 4);
    m.fill(true);
    m.set(1, 1, false);
    m.set(2, 2, false);
    EXPECT_EQ(Kor::SpanFill(m, 1, 1, true), 1u);
    EXPECT_FALSE(m.get(2, 2));
    // A region along the top row, seeded from below.
    img::bitmap top = ClearMask(9, 3);
    for (unsigned x = 0; x < 9; ++x) top.set(x, 1, x != 4);
    EXPECT_EQ(Kor::SpanFill(top, 0, 2, true), 9u + 9u + 1u);
    EXPECT_EQ(CountSet(top), 27);
    // A seed with the value already, or outside, changes nothing.
    EXPECT_EQ(Kor::SpanFill(top, 3, 1, true), 0u);
    EXPECT_EQ(Kor::SpanFill(top, -1, 0, false), 0u);
    EXPECT_EQ(Kor::SpanFill(top, 9, 0, false), 0u);
    EXPECT_EQ(Kor::SpanFill(top, 0, 3, false), 0u);
}

TEST(SpanFill, NeverTouchesBitsPastTheWidth) {
    img::bitmap m = ClearMask(13, 5);  // 2 bytes of pixels, 2 of padding a row
    for (unsigned y = 0; y < 5; ++y) {
        m.row(y)[1] |= 0x07;  // the 3 bits past pixel 12
        m.row(y)[2] = 0x5A;
        m.row(y)[3] = 0xA5;
    }
    Kor::SpanFill(m, 3, 2, true);
    for (unsigned y = 0; y < 5; ++y) {
        EXPECT_EQ(m.row(y)[0], 0xFF);
        EXPECT_EQ(m.row(y)[1], 0xFF);
        EXPECT_EQ(m.row(y)[2], 0x5A);
        EXPECT_EQ(m.row(y)[3], 0xA5);
    }
}

// A one-pixel corridor through the whole mask: rows joined at alternate
// ends (a serpentine), or a square spiral.
img::bitmap Serpentine(unsigned n) {
    img::bitmap m = ClearMask(n, n);
    m.fill(true);
    for (unsigned y = 0; y < n; y += 2) {
        for (unsigned x = 0; x < n; ++x) m.set(x, y, false);
        if (y + 1 < n) m.set((y / 2) % 2 ? 0 : n - 1, y + 1, false);
    }
    return m;
}

img::bitmap Spiral(unsigned n) {
    img::bitmap m = ClearMask(n, n);
    m.fill(true);
    // Walls two pixels apart: the corridor between them winds inwards.
    long left = 0, top = 0, right = long(n) - 1, bottom = long(n) - 1;
    while (left <= right && top <= bottom) {
        for (long x = left; x <= right; ++x) m.set(unsigned(x), unsigned(top), false);
        for (long y = top; y <= bottom; ++y) m.set(unsigned(right), unsigned(y), false);
        if (top + 2 > bottom || left + 2 > right) break;
        for (long x = right; x >= left; --x) m.set(unsigned(x), unsigned(bottom), false);
        for (long y = bottom; y >= top + 2; --y) m.set(unsigned(left), unsigned(y), false);
        m.set(unsigned(left + 1), unsigned(top + 2), false);
        left += 2, top += 2, right -= 2, bottom -= 2;
    }
    return m;
}

TEST(SpanFill, HugeSerpentineAndSpiralWithoutDeepRecursion) {
    const unsigned n = 4096;
    for (img::bitmap m : {Serpentine(n), Spiral(n)}) {
        img::bitmap expected = m;
        PlainFill(expected, 0, 0, true);
        std::uint64_t changed = Kor::SpanFill(m, 0, 0, true);
        EXPECT_GT(changed, std::uint64_t(n) * n / 3);
        ASSERT_TRUE(SamePixels(m, expected));
    }
}

TEST(BrushStamp, AStrokeIsTheUnionOfItsDiscs) {
    std::mt19937 rng(3);
    for (bool bmpOrder : {false, true}) {
        img::bitmap m = RandomMask(77, 41, rng, 20, bmpOrder), expected = m;
        for (int i = 0; i < 40; ++i) {
            int size = 1 + int(rng() % 12);
            img::bitmap circle;
            Kor::CircleTool::CircleBitmap(circle, size);
            long left = long(rng() % 110) - 2 * size, top = long(rng() % 70) - 2 * size;
            bool paint = i % 3 != 2;
            Kor::BrushTool::Stamp(m, circle, left, top, paint);
            ReferenceDisc(expected, left, top, size, paint);
            ASSERT_TRUE(SamePixels(m, expected)) << "stamp " << i;
        }
    }
}

TEST(BrushStamp, ClipsAtEveryEdgeAndFarBeyondWithoutTouchingPadding) {
    img::bitmap circle;
    Kor::CircleTool::CircleBitmap(circle, 150);
    const long long far = 1LL << 40;
    const long long places[][2] = {{-300, -300}, {-150, 10}, {10, -150}, {-299, -299}, {9, 10},   {-150, -150},
                                   {far, 0},     {-far, 0},  {0, far},   {0, -far},    {far, far}};
    for (auto& p : places) {
        img::bitmap m = ClearMask(13, 11, true);  // 2 bytes of pixels, 2 of padding a row
        for (unsigned y = 0; y < 11; ++y) m.row(y)[2] = 0x3C, m.row(y)[3] = 0xC3;
        img::bitmap expected = m;
        Kor::BrushTool::Stamp(m, circle, p[0], p[1], true);
        if (p[0] > -1000 && p[0] < 1000 && p[1] > -1000 && p[1] < 1000)
            ReferenceDisc(expected, long(p[0]), long(p[1]), 150, true);
        ASSERT_TRUE(SamePixels(m, expected)) << p[0] << "," << p[1];
        for (unsigned y = 0; y < 11; ++y) {
            EXPECT_EQ(m.row(y)[1] & 0x07, 0) << "bits past the width";
            EXPECT_EQ(m.row(y)[2], 0x3C);
            EXPECT_EQ(m.row(y)[3], 0xC3);
        }
    }
}

}  // namespace
}  // namespace kortest
