// Reading any image file: the format comes from the first bytes, and every
// reader sets the same pixels of the same picture.
#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "contour/read_image.h"
#include "contour/write_bmp.h"
#include "tests/contour/png_files.h"
#include "tests/contour/test_masks.h"

namespace {

const std::vector<std::string> art = {
    "#....#..##",
    ".##......#",
    "....####..",
};

// The art as a file of each format: '#' white, '.' black.
std::vector<std::pair<std::string, std::string>> files()
{
    std::string pbm = "P1 10 3\n", ppm = "P6 10 3 255\n";
    test_masks::png_picture png;
    png.width = 10;
    png.height = 3;
    png.colour_type = PNG_COLOR_TYPE_GRAY_ALPHA;
    for (const std::string& row : art)
        for (char c : row) {
            pbm += c == '#' ? "0" : "1";
            ppm += std::string(3, c == '#' ? '\xFF' : '\0');
            png.samples.push_back(c == '#' ? 255 : 0);
            png.samples.push_back(255);
        }
    return {{"bmp", img::encode_bmp(test_masks::from_art(art))},
            {"png", test_masks::encode_png(png)},
            {"pbm", pbm},
            {"ppm", ppm}};
}

std::string written(const std::string& name, const std::string& bytes)
{
    const std::string path = test_masks::temp_path(name);
    test_masks::write_file(path, bytes);
    return path;
}

}  // namespace

TEST(ReadImage, EveryFormatIsKnownByItsContentAndReadsAlike)
{
    for (const auto& f : files()) {
        // Named as something else: only the content counts.
        const std::string path = written(f.first + ".txt", f.second);
        for (bool invert : {false, true}) {
            const img::bitmap image = img::read_image(path, {0.5, invert});
            ASSERT_EQ(image.width(), 10u) << f.first;
            ASSERT_EQ(image.height(), 3u) << f.first;
            for (std::uint32_t y = 0; y < 3; ++y)
                for (std::uint32_t x = 0; x < 10; ++x)
                    EXPECT_EQ(image.get(x, y), (art[y][x] == '#') != invert) << f.first << ", " << x << ", " << y;
        }
    }
}

TEST(ReadImage, UnknownAndUnreadableFilesAreRefusedNamingTheFile)
{
    for (const std::string& bytes : {std::string("GIF89a"), std::string(""), std::string("B"), std::string("P7")}) {
        const std::string path = written("unknown.bmp", bytes);
        try {
            img::read_image(path);
            ADD_FAILURE() << "no exception for " << bytes;
        } catch (const img::io_error& e) {
            EXPECT_EQ(std::string(e.what()), "unknown image file format (not BMP, PNG, PBM, PGM or PPM): " + path);
        }
    }
    const std::string missing = test_masks::temp_path("missing.png");
    try {
        img::read_image(missing);
        ADD_FAILURE() << "no exception";
    } catch (const img::io_error& e) {
        EXPECT_EQ(std::string(e.what()), "could not open image file for reading: " + missing);
    }
    // A known signature hands the file to its reader, which has the last word.
    EXPECT_THROW(img::read_image(written("short.png", "\x89PNG\r\n\x1A\n")), img::io_error);
    EXPECT_THROW(img::read_image(written("short.bmp", "BM")), img::io_error);
}

TEST(ReadImage, SignaturesAreMatchedWhole)
{
    const auto format = [](const std::string& bytes) {
        return img::format_of(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_EQ(format("BM"), img::image_format::bmp);
    EXPECT_EQ(format("\x89PNG\r\n\x1A\n"), img::image_format::png);
    EXPECT_EQ(format("\x89PNG\r\n\x1A"), img::image_format::unknown);
    EXPECT_EQ(format("\x89PNG\n\n\x1A\n"), img::image_format::unknown);
    for (const char* pnm : {"P1", "P2", "P3", "P4", "P5", "P6"}) EXPECT_EQ(format(pnm), img::image_format::pnm) << pnm;
    for (const char* other : {"P0", "P7", "p1", "BA", "", "P"})
        EXPECT_EQ(format(other), img::image_format::unknown) << other;
}
