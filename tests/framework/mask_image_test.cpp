// Pictures of masks: a region of a mask (top-down or bottom-up) as a
// platform bitmap, and the drawing context's scaled copy, which puts every
// pixel's colour on the whole block it covers, up or down in scale.
#include "tests/framework/mask_fixture.h"

#include "platform/dc.h"

namespace kortest {
namespace {

const plat::Color kBlack(0, 0, 0), kWhite(255, 255, 255), kGray(128, 128, 128);

TEST(MaskImage, ARegionComesOutTheRightWayUp) {
    for (bool bmpOrder : {false, true}) {
        img::bitmap m = ClearMask(11, 7, bmpOrder);
        m.set(0, 0, true);
        m.set(10, 6, true);
        m.set(4, 2, true);
        plat::Bitmap all = Kor::MaskRegionBitmap(m, plat::Rect(-5, -5, 50, 50), kBlack, kWhite);
        ASSERT_EQ(all.GetSize(), plat::Size(11, 7));
        for (unsigned y = 0; y < 7; ++y)
            for (unsigned x = 0; x < 11; ++x)
                ASSERT_EQ(all.GetPixel(int(x), int(y)), m.get(x, y) ? kBlack : kWhite) << x << "," << y;
        plat::Bitmap part = Kor::MaskRegionBitmap(m, plat::Rect(4, 2, 6, 4), kBlack, kWhite);
        ASSERT_EQ(part.GetSize(), plat::Size(2, 2));
        EXPECT_EQ(part.GetPixel(0, 0), kBlack);
        EXPECT_EQ(part.GetPixel(1, 1), kWhite);
        EXPECT_TRUE(Kor::MaskRegionBitmap(m, plat::Rect(11, 0, 20, 7), kBlack, kWhite).IsNull());
        EXPECT_TRUE(Kor::MaskRegionBitmap(m, plat::Rect(3, 3, 3, 5), kBlack, kWhite).IsNull());
    }
}

TEST(MaskImage, TheScaledCopyIsNearestNeighbour) {
    // A 3 by 2 source: black at (0, 0) and (2, 1).
    plat::Bitmap source(3, 2, kWhite);
    source.SetPixel(0, 0, kBlack);
    source.SetPixel(2, 1, kBlack);
    plat::Bitmap up(20, 12, kGray);
    {
        plat::DC dc(up);
        dc.StretchBlt(1, 1, 18, 10, source, 0, 0, 3, 2);  // 6 by 5 a pixel
    }
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x) {
            plat::Color expected = kGray;
            if (x >= 1 && x < 19 && y >= 1 && y < 11) {
                int sx = (x - 1) / 6, sy = (y - 1) / 5;
                expected = source.GetPixel(sx, sy);
            }
            ASSERT_EQ(up.GetPixel(x, y), expected) << x << "," << y;
        }
    // Down: 64 by 64 of 8 by 8 blocks onto 8 by 8 keeps one pixel a block.
    plat::Bitmap board(64, 64, kWhite);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            if ((x / 8 + y / 8) % 2) board.SetPixel(x, y, kBlack);
    plat::Bitmap down(8, 8, kGray);
    {
        plat::DC dc(down);
        dc.StretchBlt(0, 0, 8, 8, board, 0, 0, 64, 64);
        dc.StretchBlt(0, 0, 0, 8, board, 0, 0, 64, 64);  // nothing to draw
    }
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(down.GetPixel(x, y), (x + y) % 2 ? kBlack : kWhite) << x << "," << y;
}

}  // namespace
}  // namespace kortest
