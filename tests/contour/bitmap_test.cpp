// The 1-bit image: storage order, resizing, fill and invert.
#include <gtest/gtest.h>

#include <cstring>

#include "contour/bitmap.h"
#include "tests/contour/test_masks.h"

using img::bitmap;
using test_masks::from_art;

TEST(Bitmap, StrideFollowsTheAlignmentAndRowsStartAtTheTop)
{
    bitmap b(10, 3, 4);  // 2 bytes of pixels per row, padded to 4
    EXPECT_EQ(b.stride(), 4u);
    EXPECT_EQ(b.size(), 12u);
    EXPECT_TRUE(b.top_down());
    EXPECT_EQ(b.row(0), b.data());

    b.fill(false);
    b.set(0, 0, true);
    b.set_top_down(false);  // the BMP order: the top row is stored last; no byte moves
    EXPECT_EQ(b.row(0), b.data() + 8);
    EXPECT_EQ(b.row(2), b.data());
    EXPECT_TRUE(b.get(0, 2));

    EXPECT_EQ(bitmap(17, 1, 1).stride(), 3u);
    EXPECT_EQ(bitmap(17, 1, 0).stride(), 3u);  // 0: a new bitmap's alignment, 1
}

TEST(Bitmap, FillAndInvertTouchThePadding)
{
    bitmap b(3, 2, 4);
    b.fill(true);
    for (std::uint32_t i = 0; i < b.size(); ++i)
        EXPECT_EQ(b.data()[i], 0xFF) << i;
    b.data()[1] = 0x0F;
    b.invert();
    for (std::uint32_t i = 0; i < b.size(); ++i)
        EXPECT_EQ(b.data()[i], i == 1 ? 0xF0 : 0x00) << i;
}

TEST(Bitmap, ResizeKeepsPixelsOnlyWhenTheSizeInPixelsStays)
{
    bitmap b = from_art({"#.#.#.#.#.", ".#.#.#.#.#"}, 1);
    const bitmap::byte* before = b.data();
    b.resize(10, 2, 1);  // nothing changes
    EXPECT_EQ(b.data(), before);

    b.resize(10, 2, 4);  // new row length: new buffer, same pixels
    EXPECT_EQ(b.stride(), 4u);
    for (std::uint32_t x = 0; x < 10; ++x) {
        EXPECT_EQ(b.get(x, 0), x % 2 == 0) << x;
        EXPECT_EQ(b.get(x, 1), x % 2 == 1) << x;
    }

    b.resize(12, 2, 0);  // same byte size: the buffer is reused
    EXPECT_EQ(b.alignment(), 4u);
    EXPECT_EQ(b.size(), 8u);

    b.resize(0, 5, 0);
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.size(), 0u);
    EXPECT_EQ(b.height(), 5u);
}

TEST(Bitmap, ReleaseHandsOverTheBuffer)
{
    bitmap b(8, 2, 4);
    b.fill(true);
    bitmap::byte* buffer = b.release();
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.width(), 0u);
    EXPECT_EQ(b.height(), 0u);
    EXPECT_EQ(b.size(), 0u);
    EXPECT_TRUE(b.rows().empty());
    EXPECT_EQ(buffer[7], 0xFF);
    delete[] buffer;
}

TEST(Bitmap, CopiesAreDeep)
{
    bitmap a = from_art({"#.", ".#"});
    bitmap b = a;
    b.set(0, 0, false);
    EXPECT_TRUE(a.get(0, 0));
    a = std::move(b);
    EXPECT_FALSE(a.get(0, 0));
}

TEST(Bitmap, AZeroWidthBitmapHasNoRowTableHoweverTall)
{
    // A BMP header may claim billions of rows of no pixels.
    bitmap b(0, 0x80000000u, 4);
    EXPECT_EQ(b.height(), 0x80000000u);
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_TRUE(b.rows().empty());
}
