// The netpbm reader: the six formats, comments, maxvals, the threshold, and
// damaged or lying files.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "contour/read_pnm.h"
#include "tests/contour/test_masks.h"

namespace {

const std::string read_error = "could not open PNM image for reading or read error";

// '#' light, '.' dark; 10 x 3, so a raw PBM row has a partial byte.
const std::vector<std::string> art = {
    "#....#..##",
    ".##......#",
    "....####..",
};

img::bitmap read(const std::string& bytes, const img::read_options& options = {})
{
    return test_masks::read_bytes(img::read_pnm, bytes, "image.pnm", options);
}

// The reader's message for the file, "" when it reads.
std::string refusal(const std::string& bytes, img::bitmap* image_out = nullptr)
{
    return test_masks::refusal(img::read_pnm, bytes, "refused.pnm", image_out);
}

void expect_art(const img::bitmap& image, const std::string& where)
{
    ASSERT_EQ(image.width(), art[0].size()) << where;
    ASSERT_EQ(image.height(), art.size()) << where;
    for (std::uint32_t y = 0; y < art.size(); ++y)
        for (std::uint32_t x = 0; x < art[y].size(); ++x)
            EXPECT_EQ(image.get(x, y), art[y][x] == '#') << where << ", pixel " << x << ", " << y;
    EXPECT_TRUE(test_masks::padding_clear(image)) << where;
}

// The art in each format; light and dark are the samples of a pixel
// (PBM: '0' is white and light).
std::string plain(int kind, const std::string& header, const std::string& light, const std::string& dark)
{
    std::string out = "P" + std::to_string(kind) + header;
    for (const std::string& row : art) {
        for (char c : row) out += (c == '#' ? light : dark) + " ";
        out += "\n";
    }
    return out;
}

std::string raw(int kind, const std::string& header, const std::string& light, const std::string& dark)
{
    std::string out = "P" + std::to_string(kind) + header;
    for (const std::string& row : art)
        for (char c : row) out += c == '#' ? light : dark;
    return out;
}

std::string raw_pbm(unsigned char padding)
{
    std::string out = "P4\n10 3\n";
    for (const std::string& row : art) {
        unsigned bits = 0;
        for (std::size_t x = 0; x < 10; ++x) bits |= unsigned(row[x] != '#') << (15 - x);  // 1 is black
        out += char(bits >> 8);
        out += char((bits & 0xFF) | padding);
    }
    return out;
}

}  // namespace

// Each light and dark pair lies just either side of the threshold of 0.5,
// and the colour pairs tell Rec. 601 luma from Rec. 709 (the orange is light
// by it and dark by Rec. 709, the green the other way round).
const std::string orange("\xFF\x64\x00", 3), green("\x3C\xAA\x28", 3);

TEST(ReadPnm, EveryFormatGivesTheSamePixels)
{
    const std::string b2 = {char(0x80), char(0x00)}, d2 = {char(0x7F), char(0xFF)};  // 32768, 32767
    const struct {
        std::string where, file;
    } files[] = {
        {"P1", plain(1, "\n10 3\n", "0", "1")},
        {"P1 without spaces", "P1 10 3 011110110010011111101111000011"},
        {"P2", plain(2, " 10 3 100\n", "50", "49")},
        {"P2 with comments", plain(2, "#c\n10#c\n#c\n 3 # c\r100 # comment\n", "50", "49")},
        {"P3", plain(3, "\n10 3\n255\n", "255 100 0", "60 170 40")},
        {"P4 with black padding bits", raw_pbm(0x3F)},
        {"P4 with white padding bits", raw_pbm(0x00)},
        {"P5", raw(5, "\n10 3\n255\n", "\x80", "\x7F")},
        {"P5 16-bit", raw(5, "\n10 3\n65535\n", b2, d2)},
        {"P5 maxval 256", raw(5, "\n10 3\n256\n", std::string("\0\x80", 2), std::string("\0\x7F", 2))},
        {"P6", raw(6, "\n10 3 # comment\n255\t", orange, green)},
        {"P6 16-bit", raw(6, "\n10 3\n65535\n", b2 + b2 + b2, d2 + d2 + d2)},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.where);
        expect_art(read(f.file), f.where);
    }
}

TEST(ReadPnm, TheThresholdAndInvertApplyToEveryFormat)
{
    // PBM: white is 1, black 0, whatever the threshold in between.
    const std::string pbm = "P1 3 1 0 1 0";
    EXPECT_TRUE(read(pbm, {0.9, false}).get(0, 0));
    EXPECT_FALSE(read(pbm, {0.9, false}).get(1, 0));
    EXPECT_TRUE(read(pbm, {0.9, true}).get(1, 0));
    EXPECT_TRUE(read(pbm, {0.0, false}).get(1, 0));   // everything is light
    EXPECT_FALSE(read(pbm, {1.5, false}).get(0, 0));  // nothing is
    EXPECT_EQ(read(raw_pbm(0), {0.5, true}).get(0, 0), false);
    EXPECT_EQ(read(raw_pbm(0), {0.5, true}).get(1, 0), true);

    // maxval 7: 2/7 and 3/7 either side of 0.3
    const img::bitmap grey = read("P2 2 1 7 2 3", {0.3, false});
    EXPECT_FALSE(grey.get(0, 0));
    EXPECT_TRUE(grey.get(1, 0));
    const img::bitmap inverted = read("P5 2 1 7\n\x02\x03", {0.3, true});
    EXPECT_TRUE(inverted.get(0, 0));
    EXPECT_FALSE(inverted.get(1, 0));

    EXPECT_THROW(read(pbm, {std::nan(""), false}), std::invalid_argument);
}

TEST(ReadPnm, BadHeadersAndSamplesAreRefusedNamingTheFile)
{
    const struct {
        std::string file, message;
    } cases[] = {
        {"P7 1 1 255\n\xFF", "invalid PNM image (not a PBM, PGM or PPM file)"},
        {"Px", "invalid PNM image (not a PBM, PGM or PPM file)"},
        {"P2 1 1 0 0", "invalid PNM image (maxval 0, not 1 to 65535)"},
        {"P5 1 1 65536\n\0\0", "invalid PNM image (maxval 65536, not 1 to 65535)"},
        {"P2 2 1 99999999999 1", "invalid PNM image (maxval too large)"},
        {"P2 x 1 255 1", "invalid PNM image (no width where one is expected)"},
        {"P2 2 1 255 3 256", "invalid PNM image (sample 256 above maxval 255)"},
        {"P5 2 1 100\n\x10\x65", "invalid PNM image (sample 101 above maxval 100)"},
        {"P5 1 1 255#\xFF", "invalid PNM image (no white space after the header)"},
        {"P1 3 1 0 2 0", "invalid PNM image (a character other than 0 or 1 among the pixels)"},
        {"P3 1 1 255 1 2 x", "invalid PNM image (no sample where one is expected)"},
    };
    for (const auto& c : cases) EXPECT_EQ(refusal(c.file), c.message) << c.file;
}

TEST(ReadPnm, FilesCutShortAreReadErrors)
{
    const std::string whole = raw(6, "\n10 3\n255\n", orange, green);
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(5), std::size_t(10), whole.size() - 1})
        EXPECT_EQ(refusal(whole.substr(0, size)),
                  size < 2 ? "invalid PNM image (not a PBM, PGM or PPM file)" : read_error)
            << size;
    EXPECT_EQ(refusal("P2 3 1 255 1 2 #33333"), read_error);
    EXPECT_EQ(refusal("P1 3 1 0 1\n#########"), read_error);

    EXPECT_EQ(test_masks::missing_file_error(img::read_pnm), read_error + ": " + test_masks::temp_path("missing-file"));
}

// Sizes the header claims are weighed against the file before the bitmap
// gets a buffer.
TEST(ReadPnm, RefusesClaimsTheFileCannotHoldBeforeAllocating)
{
    img::bitmap image;
    for (const char* lie : {"P4 60000 60000\n\0\0\0\0", "P1 60000 60000\n0 1 0 1", "P6 3 3 65535\n"}) {
        EXPECT_EQ(refusal(lie, &image), read_error) << lie;
        EXPECT_EQ(image.size(), 0u);
    }
    EXPECT_EQ(refusal("P5 4294967295 4294967295 255\n", &image),
              "PNM image dimensions too large (4294967295 x 4294967295)");
    EXPECT_EQ(image.size(), 0u);
    EXPECT_EQ(refusal("P5 4294967296 1 255\n"), "invalid PNM image (width too large)");

    // No pixels: nothing to read, however many rows are claimed.
    image = read("P5 0 4000000000 255\n");
    EXPECT_EQ(image.width(), 0u);
    EXPECT_EQ(image.height(), 4000000000u);
    EXPECT_EQ(image.data(), nullptr);
    EXPECT_EQ(read("P1 7 0").height(), 0u);
}
