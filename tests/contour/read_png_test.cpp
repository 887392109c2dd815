// The PNG reader: every colour type and depth, interlacing, the threshold,
// transparency, and damaged or lying files.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "contour/read_png.h"
#include "tests/contour/png_files.h"
#include "tests/contour/test_masks.h"

using test_masks::encode_png;
using test_masks::png_picture;

namespace {

const std::string read_error = "could not open PNG image for reading or read error";

// A picture of `w` x `h` pixels whose pixel (x, y) gets the samples `light`
// where `set(x, y)` and `dark` elsewhere.
template <class Set>
png_picture picture(std::uint32_t w, std::uint32_t h, int colour_type, int depth,
                    const std::vector<std::uint16_t>& light, const std::vector<std::uint16_t>& dark, Set set)
{
    png_picture p;
    p.width = w;
    p.height = h;
    p.colour_type = colour_type;
    p.bit_depth = depth;
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x)
            for (std::uint16_t v : set(x, y) ? light : dark) p.samples.push_back(v);
    return p;
}

bool pattern(std::uint32_t x, std::uint32_t y)
{
    return (x * 7 + y * 3 + x * y) % 5 < 2;
}

img::bitmap read(const std::string& bytes, const img::read_options& options = {})
{
    return test_masks::read_bytes(img::read_png, bytes, "image.png", options);
}

// The reader's message for the file, "" when it reads.
std::string refusal(const std::string& bytes, img::bitmap* image_out = nullptr)
{
    return test_masks::refusal(img::read_png, bytes, "refused.png", image_out);
}

struct layout_case {
    int colour_type, depth;
    std::vector<std::uint16_t> light, dark;
    std::vector<std::uint8_t> palette, palette_alpha;
    int transparent_grey;
};

}  // namespace

// Each case has a light and a dark pixel just either side of what decides:
// the threshold of 0.5 at each depth, the Rec. 601 luma (the orange is light
// by it and dark by Rec. 709, the green the other way round), alpha of one
// half, palettes and the transparency chunk.
TEST(ReadPng, EveryColourTypeDepthAndInterlacingGivesTheSamePixels)
{
    const std::vector<std::uint8_t> black_white = {0, 0, 0, 255, 255, 255}, none;
    const std::vector<std::uint8_t> four = {0, 0, 0, 90, 90, 90, 128, 128, 128, 255, 255, 255};
    const std::vector<layout_case> cases = {
        {PNG_COLOR_TYPE_GRAY, 1, {1}, {0}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY, 2, {2}, {1}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY, 4, {8}, {7}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY, 8, {128}, {127}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY, 16, {32768}, {32767}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY, 8, {255}, {200}, none, none, 200},  // the grey key is transparent
        {PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 128}, {200, 127}, none, none, -1},
        {PNG_COLOR_TYPE_GRAY_ALPHA, 16, {65535, 32768}, {0, 65535}, none, none, -1},
        {PNG_COLOR_TYPE_RGB, 8, {255, 100, 0}, {60, 170, 40}, none, none, -1},
        {PNG_COLOR_TYPE_RGB, 16, {65535, 65535, 0}, {0, 0, 65535}, none, none, -1},
        {PNG_COLOR_TYPE_RGB_ALPHA, 8, {255, 255, 255, 128}, {255, 255, 255, 127}, none, none, -1},
        {PNG_COLOR_TYPE_RGB_ALPHA, 16, {0, 65535, 0, 65535}, {65535, 0, 0, 65535}, none, none, -1},
        {PNG_COLOR_TYPE_PALETTE, 1, {1}, {0}, black_white, none, -1},
        {PNG_COLOR_TYPE_PALETTE, 2, {2}, {1}, four, none, -1},
        {PNG_COLOR_TYPE_PALETTE, 4, {3}, {0}, four, none, -1},
        {PNG_COLOR_TYPE_PALETTE, 8, {3}, {2}, four, {255, 255, 0}, -1},  // entry 2 is transparent
    };
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> sizes = {{13, 11}, {1, 1}, {3, 2}, {9, 1}, {1, 9}};
    for (const layout_case& c : cases)
        for (const auto& size : sizes)
            for (bool interlaced : {false, true}) {
                png_picture p = picture(size.first, size.second, c.colour_type, c.depth, c.light, c.dark, pattern);
                p.interlaced = interlaced;
                p.palette = c.palette;
                p.palette_alpha = c.palette_alpha;
                p.transparent_grey = c.transparent_grey;
                const img::bitmap image = read(encode_png(p));
                const std::string where = "type " + std::to_string(c.colour_type) + ", depth " +
                                          std::to_string(c.depth) + (interlaced ? ", interlaced" : "");
                ASSERT_EQ(image.width(), size.first) << where;
                ASSERT_EQ(image.height(), size.second) << where;
                ASSERT_TRUE(image.top_down());
                for (std::uint32_t y = 0; y < size.second; ++y)
                    for (std::uint32_t x = 0; x < size.first; ++x)
                        EXPECT_EQ(image.get(x, y), pattern(x, y)) << where << ", pixel " << x << ", " << y;
                EXPECT_TRUE(test_masks::padding_clear(image)) << where;
            }
}

TEST(ReadPng, TheThresholdAndInvertSplitTheGreysExactly)
{
    // One row of every 8-bit grey, and one of 16-bit greys round the middle.
    const auto grey = [](std::uint32_t x, std::uint32_t) { return std::uint16_t(x); };
    png_picture ramp;
    ramp.width = 256;
    ramp.height = 1;
    for (std::uint32_t x = 0; x < 256; ++x) ramp.samples.push_back(grey(x, 0));
    const std::string bytes = encode_png(ramp);

    const struct {
        double threshold;
        unsigned first_light;  // 256: none
    } splits[] = {{0.5, 128}, {0.25, 64},  {0.0, 0},         {-3.0, 0},
                  {1.0, 255}, {1.01, 256}, {63.0 / 255, 63}, {128.0005 / 255, 129}};  // just above grey 128
    for (const auto& s : splits)
        for (bool invert : {false, true}) {
            const img::bitmap image = read(bytes, {s.threshold, invert});
            for (std::uint32_t x = 0; x < 256; ++x)
                ASSERT_EQ(image.get(x, 0), (x >= s.first_light) != invert)
                    << "threshold " << s.threshold << ", grey " << x << (invert ? ", inverted" : "");
        }

    png_picture deep = ramp;
    deep.bit_depth = 16;
    deep.width = 4;
    deep.samples = {0, 32767, 32768, 65535};
    const img::bitmap image = read(encode_png(deep));
    EXPECT_EQ(std::vector<bool>({image.get(0, 0), image.get(1, 0), image.get(2, 0), image.get(3, 0)}),
              std::vector<bool>({false, false, true, true}));

    EXPECT_THROW(read(bytes, {std::nan(""), false}), std::invalid_argument);
}

// Transparent pixels are background, light or dark, inverted or not.
TEST(ReadPng, TransparentPixelsAreClearWhateverInvertSays)
{
    // black opaque, white opaque, black transparent, white transparent
    png_picture p;
    p.width = 4;
    p.height = 1;
    p.colour_type = PNG_COLOR_TYPE_RGB_ALPHA;
    p.samples = {0, 0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 0, 255, 255, 255, 0};
    const std::string bytes = encode_png(p);
    for (bool invert : {false, true}) {
        const img::bitmap image = read(bytes, {0.5, invert});
        EXPECT_EQ(image.get(0, 0), invert);
        EXPECT_EQ(image.get(1, 0), !invert);
        EXPECT_FALSE(image.get(2, 0));
        EXPECT_FALSE(image.get(3, 0));
    }
}

TEST(ReadPng, DamagedFilesAreRefusedNamingTheFile)
{
    const png_picture p = picture(13, 11, PNG_COLOR_TYPE_GRAY, 8, {255}, {0}, pattern);
    const std::string good = encode_png(p);
    const std::size_t ihdr = test_masks::find_chunk(good, "IHDR"), idat = test_masks::find_chunk(good, "IDAT");
    const std::size_t iend = test_masks::find_chunk(good, "IEND");
    ASSERT_NE(idat, std::string::npos);

    // Cut short in the signature, the header, the pixels, before the end chunk.
    for (std::size_t size : {std::size_t(0), std::size_t(5), ihdr + 12, idat + 20, iend + 4})
        EXPECT_EQ(refusal(good.substr(0, size)), read_error) << size;

    std::string pixels_crc = good;
    pixels_crc[idat + 10] ^= 1;
    EXPECT_EQ(refusal(pixels_crc), "could not decode PNG image (IDAT: CRC error)");
    std::string header_crc = good;
    header_crc[ihdr + 9] ^= 1;
    EXPECT_EQ(refusal(header_crc), "could not decode PNG image (IHDR: CRC error)");

    EXPECT_EQ(refusal("GIF89a and the rest"), "could not decode PNG image (Not a PNG file)");

    EXPECT_EQ(test_masks::missing_file_error(img::read_png), read_error + ": " + test_masks::temp_path("missing-file"));
}

// Sizes the header claims are weighed against the file before the bitmap
// gets a buffer.
TEST(ReadPng, RefusesClaimsTheFileCannotHoldBeforeAllocating)
{
    const png_picture p = picture(8, 8, PNG_COLOR_TYPE_GRAY, 1, {1}, {0}, pattern);
    const std::string good = encode_png(p);
    const std::size_t ihdr = test_masks::find_chunk(good, "IHDR");
    const auto with_size = [&](std::uint32_t w, std::uint32_t h) {
        std::string bytes = good;
        test_masks::patch_chunk(bytes, ihdr, 0, w);
        test_masks::patch_chunk(bytes, ihdr, 4, h);
        return bytes;
    };
    img::bitmap image;

    // 60000 x 60000 pixels cannot come out of a 100-byte file.
    EXPECT_EQ(refusal(with_size(60000, 60000), &image), read_error);
    EXPECT_EQ(image.size(), 0u);

    EXPECT_EQ(refusal(with_size(1000000, 1000000), &image), "PNG image dimensions too large (1000000 x 1000000)");
    EXPECT_EQ(image.size(), 0u);
    // Beyond libpng's limit of a million pixels a side, or nothing at all.
    for (std::uint32_t w : {1000001u, 0u})
        EXPECT_EQ(refusal(with_size(w, 8)), "could not decode PNG image (Invalid IHDR data)") << w;
    EXPECT_EQ(refusal(with_size(0x80000000u, 8)), "could not decode PNG image (PNG unsigned integer out of range)");

    // A blank picture compresses hundreds to one, not far from what deflate
    // can do at most, and still reads.
    png_picture blank;
    blank.width = 4000;
    blank.height = 4000;
    blank.samples.assign(std::size_t(4000) * 4000, 255);
    const std::string packed = encode_png(blank, 9);
    EXPECT_LT(packed.size(), 4000u * 4000 / 700);
    image = read(packed);
    EXPECT_EQ(image.width(), 4000u);
    EXPECT_TRUE(image.get(3999, 3999));
}
