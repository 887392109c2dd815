#include "tests/contour/test_masks.h"

#include <gtest/gtest.h>

#include <fstream>

#include "contour/io_error.h"

namespace test_masks {

img::bitmap from_art(const std::vector<std::string>& rows, std::uint32_t alignment)
{
    const std::uint32_t width = rows.empty() ? 0 : std::uint32_t(rows[0].size());
    img::bitmap b(width, std::uint32_t(rows.size()), alignment);
    b.fill(false);
    for (std::uint32_t y = 0; y < rows.size(); ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            b.set(x, y, rows[y][x] == '#');
    return b;
}

bool padding_clear(const img::bitmap& image)
{
    for (std::uint32_t y = 0; y < image.height(); ++y)
        for (std::uint32_t bit = image.width(); bit < image.stride() * 8; ++bit)
            if (image.row(y)[bit / 8] & (0x80 >> bit % 8))
                return false;
    return true;
}

std::string temp_path(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string prefix = test ? std::string(test->test_suite_name()) + "." + test->name() + "." : "";
    for (char& c : prefix)
        if (c == '/')
            c = '_';
    return ::testing::TempDir() + prefix + name;
}

void write_file(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
}

img::bitmap read_bytes(image_reader read, const std::string& bytes, const std::string& name,
                       const img::read_options& options)
{
    const std::string path = temp_path(name);
    write_file(path, bytes);
    img::bitmap image(0, 0, 4);
    read(path, image, options);
    return image;
}

std::string refusal(image_reader read, const std::string& bytes, const std::string& name, img::bitmap* image_out)
{
    const std::string path = temp_path(name);
    write_file(path, bytes);
    img::bitmap image(0, 0, 4);
    std::string what;
    try {
        read(path, image, img::read_options());
    } catch (const img::io_error& e) {
        EXPECT_EQ(e.detail(), path);
        what = e.message();
    }
    if (image_out)
        *image_out = std::move(image);
    return what;
}

std::string missing_file_error(image_reader read)
{
    img::bitmap image;
    try {
        read(temp_path("missing-file"), image, img::read_options());
    } catch (const img::io_error& e) {
        return e.what();
    }
    return "";
}

void put16(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8 & 0xFF);
}

void put32(std::string& bytes, std::size_t offset, std::uint32_t value)
{
    put16(bytes, offset, value & 0xFFFF);
    put16(bytes, offset + 2, value >> 16);
}

}  // namespace test_masks
