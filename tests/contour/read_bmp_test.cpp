// The BMP reader: storage orders, palettes, refusals, damaged files and the
// later header versions.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "contour/read_bmp.h"
#include "tests/contour/test_masks.h"
#include "contour/write_bmp.h"

using test_masks::from_art;
using test_masks::put16;
using test_masks::put32;

namespace {

const std::string read_error = "could not open BMP image for reading or read error";

// Offsets in a file that encode_bmp wrote.
const std::size_t pixel_offset_at = 10, width_at = 18, height_at = 22, bit_count_at = 28, compression_at = 30,
                  palette_at = 54, pixels_at = 62;

const std::vector<std::string> art = {
    "#....#..#.",
    ".##.......",
    "....####..",
};

std::string encoded(const std::vector<std::string>& rows) { return img::encode_bmp(from_art(rows)); }

// The same picture stored top-down: negative height, rows reversed.
std::string top_down(const std::string& bmp, std::size_t stride, std::size_t height)
{
    std::string out = bmp.substr(0, pixels_at);
    put32(out, height_at, std::uint32_t(-std::int32_t(height)));
    for (std::size_t i = height; i-- > 0;)
        out += bmp.substr(pixels_at + i * stride, stride);
    return out;
}

// The file with a longer information header; the extra bytes are zero.
std::string with_info_size(const std::string& bmp, std::uint32_t size)
{
    std::string out = bmp.substr(0, palette_at) + std::string(size - 40, '\0') + bmp.substr(palette_at);
    put32(out, 14, size);
    put32(out, pixel_offset_at, std::uint32_t(pixels_at + size - 40));
    return out;
}

void set_palette(std::string& bmp, std::size_t at, std::uint32_t entry0, std::uint32_t entry1)
{
    put32(bmp, at, entry0);
    put32(bmp, at + 4, entry1);
}

img::bitmap read(const std::string& bytes, const std::string& name = "mask.bmp")
{
    const std::string path = test_masks::temp_path(name);
    test_masks::write_file(path, bytes);
    img::bitmap image(0, 0, 4);
    img::read_bmp(path, image);
    return image;
}

void expect_pixels(const img::bitmap& image, const std::vector<std::string>& rows, bool inverted = false)
{
    ASSERT_EQ(image.height(), rows.size());
    ASSERT_EQ(image.width(), rows[0].size());
    for (std::uint32_t y = 0; y < rows.size(); ++y)
        for (std::uint32_t x = 0; x < rows[y].size(); ++x)
            EXPECT_EQ(image.get(x, y), (rows[y][x] == '#') != inverted) << "pixel " << x << ", " << y;
}

// What read_bmp throws for the file, as the exception's what() and the
// unsupported mode and value (mode -1: a plain io_error).
struct refusal {
    std::string what;
    long long mode = -2;
    std::uint32_t value = 0;
};

refusal refuse(const std::string& bytes, img::bitmap* image_out = nullptr)
{
    const std::string path = test_masks::temp_path("refused.bmp");
    test_masks::write_file(path, bytes);
    img::bitmap image(0, 0, 4);
    refusal r;
    try {
        img::read_bmp(path, image);
    } catch (const img::unsupported& e) {
        r = {e.what(), e.mode(), e.value()};
    } catch (const img::io_error& e) {
        r = {e.what(), -1, 0};
    }
    if (image_out)
        *image_out = std::move(image);
    return r;
}

std::string refused_path() { return test_masks::temp_path("refused.bmp"); }

}  // namespace

TEST(ReadBmp, BothStorageOrdersGiveTheSamePixels)
{
    const std::string bottom_up = encoded(art);
    const img::bitmap a = read(bottom_up, "bottom-up.bmp");
    EXPECT_FALSE(a.top_down());
    expect_pixels(a, art);

    const img::bitmap b = read(top_down(bottom_up, 4, art.size()), "top-down.bmp");
    EXPECT_TRUE(b.top_down());
    expect_pixels(b, art);
}

TEST(ReadBmp, SetPixelsAreTheNonBlackOnesWhateverThePaletteOrder)
{
    std::string bmp = encoded(art);  // black, white
    expect_pixels(read(bmp), art);

    set_palette(bmp, palette_at, 0x00FFFFFF, 0x00000000);  // white, black: the bits are inverted
    expect_pixels(read(bmp), art, true);

    set_palette(bmp, palette_at, 0x00FF0000, 0x000000FF);  // red, blue: no black, bits as stored
    expect_pixels(read(bmp), art);
}

TEST(ReadBmp, RefusesWhatIsNotAnUncompressed1BitFileInTheFixedOrder)
{
    const std::string good = encoded(art);
    const std::string unsupported_text = "unsupported image file format mode: " + refused_path();

    for (std::uint32_t bits : {8u, 24u, 32u, 4u}) {
        std::string bmp = good;
        put16(bmp, bit_count_at, bits);
        const refusal r = refuse(bmp);
        EXPECT_EQ(r.mode, 2) << bits;
        EXPECT_EQ(r.value, bits);
        EXPECT_EQ(r.what, unsupported_text);
    }

    std::string rle = good;
    put32(rle, compression_at, 1);
    put16(rle, bit_count_at, 8);  // compression is checked before the bit count
    EXPECT_EQ(refuse(rle).mode, 1);
    EXPECT_EQ(refuse(rle).value, 1u);

    std::string png = good;
    png[0] = '\x89';
    png[1] = 'P';
    put32(png, compression_at, 1);
    const refusal r = refuse(png);
    EXPECT_EQ(r.mode, 0);
    EXPECT_EQ(r.value, 0x5089u);
    EXPECT_EQ(r.what, unsupported_text);

    std::string negative = good;
    put32(negative, width_at, std::uint32_t(-10));
    put16(negative, bit_count_at, 24);  // the width is checked before the bit count
    EXPECT_EQ(refuse(negative).mode, 4);
    EXPECT_EQ(refuse(negative).value, std::uint32_t(-10));
}

TEST(ReadBmp, MissingAndShortFilesAreReadErrorsNamingTheFile)
{
    img::bitmap image(0, 0, 4);
    const std::string missing = test_masks::temp_path("no-such-file.bmp");
    try {
        img::read_bmp(missing, image);
        FAIL() << "no exception";
    } catch (const img::unsupported&) {
        FAIL() << "not a format refusal";
    } catch (const img::io_error& e) {
        EXPECT_EQ(std::string(e.what()), read_error + ": " + missing);
        EXPECT_EQ(e.detail(), missing);
    }

    const std::string whole = encoded(art);
    EXPECT_EQ(refuse(whole.substr(0, whole.size() - 3)).what, read_error + ": " + refused_path());  // in the pixels
    EXPECT_EQ(refuse(whole.substr(0, 58)).what, read_error + ": " + refused_path());                // in the palette
    EXPECT_EQ(refuse(whole.substr(0, 20)).what, read_error + ": " + refused_path());                // in the header
    EXPECT_EQ(refuse("").mode, -1);
}

TEST(ReadBmp, AZeroWidthImageHasNoBuffer)
{
    std::string bmp = encoded({"#", "#"}).substr(0, pixels_at);
    put32(bmp, width_at, 0);
    const img::bitmap image = read(bmp);
    EXPECT_EQ(image.width(), 0u);
    EXPECT_EQ(image.height(), 2u);
    EXPECT_EQ(image.data(), nullptr);
}

// Sizes that a header claims are checked before the bitmap gets a buffer.
TEST(ReadBmp, RefusesClaimsTheFileCannotHoldBeforeAllocating)
{
    const std::string good = encoded(art);
    img::bitmap image;

    std::string big = good;  // a megapixel in a 74-byte file
    put32(big, width_at, 1000);
    put32(big, height_at, 1000);
    EXPECT_EQ(refuse(big, &image).what, read_error + ": " + refused_path());
    EXPECT_EQ(image.size(), 0u);
    EXPECT_EQ(image.width(), 0u);

    // Stride 4 times 2^30 rows is 2^32 bytes: 0 in 32-bit arithmetic.
    std::string wraps = good;
    put32(wraps, width_at, 32);
    put32(wraps, height_at, 0x40000000);
    const refusal r = refuse(wraps, &image);
    EXPECT_EQ(r.mode, -1);
    EXPECT_NE(r.what.find("too large"), std::string::npos) << r.what;
    EXPECT_NE(r.what.find(refused_path()), std::string::npos) << r.what;
    EXPECT_EQ(image.width(), 0u);

    std::string huge = good;
    put32(huge, width_at, INT_MAX);
    put32(huge, height_at, std::uint32_t(INT_MIN));  // its magnitude does not fit an int
    EXPECT_NE(refuse(huge, &image).what.find("too large"), std::string::npos);
    EXPECT_EQ(image.width(), 0u);

    // No pixels at all: any height is harmless and reads.
    std::string empty = good.substr(0, pixels_at);
    put32(empty, width_at, 0);
    put32(empty, height_at, std::uint32_t(INT_MIN));
    const img::bitmap tall = read(empty);
    EXPECT_EQ(tall.height(), 0x80000000u);
    EXPECT_TRUE(tall.top_down());
}

TEST(ReadBmp, LaterHeaderVersionsReadWithTheirRealPalette)
{
    for (std::uint32_t size : {52u, 56u, 64u, 108u, 124u}) {
        std::string bmp = with_info_size(encoded(art), size);
        // The bytes after the first 40 are zero: read as a palette they
        // would be black, black.
        set_palette(bmp, 14 + size, 0x00FFFFFF, 0x00000000);
        expect_pixels(read(bmp), art, true);
    }
}

TEST(ReadBmp, Os2HeadersRead)
{
    const std::string standard = encoded(art);
    const std::string pixels = standard.substr(pixels_at);

    // OS/2 1.x: 12-byte header with 16-bit sizes, 3-byte palette entries.
    std::string core = "BM" + std::string(12, '\0') + std::string(12, '\0') + "\xFF\xFF\xFF" + std::string(3, '\0');
    put32(core, 10, 14 + 12 + 6);
    put32(core, 14, 12);
    put16(core, 18, 10);  // width
    put16(core, 20, 3);   // height
    put16(core, 22, 1);   // planes
    put16(core, 24, 1);   // bits per pixel
    put32(core, 2, std::uint32_t(core.size() + pixels.size()));
    expect_pixels(read(core + pixels), art, true);  // white, black

    // OS/2 2.x may cut its header short; the missing fields are zero.
    std::string short_header = standard.substr(0, 14 + 16) + standard.substr(palette_at);
    put32(short_header, 14, 16);
    put32(short_header, pixel_offset_at, 14 + 16 + 8);
    expect_pixels(read(short_header), art);
}
