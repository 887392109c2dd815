#include "tests/contour/png_files.h"

#include <png.h>
#include <zlib.h>

#include <stdexcept>

namespace test_masks {

namespace {

void append(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void flush(png_structp) {}

int channels(int colour_type)
{
    switch (colour_type) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        default:
            return 1;
    }
}

// Samples packed as PNG stores them: big-endian bytes at 16 bits, the most
// significant bits first below 8.
std::vector<std::vector<png_byte>> packed_rows(const png_picture& p)
{
    const std::size_t per_row = std::size_t(p.width) * channels(p.colour_type);
    std::vector<std::vector<png_byte>> rows(p.height);
    for (std::uint32_t y = 0; y < p.height; ++y) {
        std::vector<png_byte>& row = rows[y];
        row.assign((per_row * p.bit_depth + 7) / 8, 0);
        for (std::size_t i = 0; i < per_row; ++i) {
            const unsigned v = p.samples.at(y * per_row + i);
            if (p.bit_depth == 16) {
                row[2 * i] = png_byte(v >> 8);
                row[2 * i + 1] = png_byte(v);
            } else {
                const std::size_t bit = i * p.bit_depth;
                row[bit / 8] |= png_byte(v << (8 - p.bit_depth - bit % 8));
            }
        }
    }
    return rows;
}

std::uint32_t be32(const std::string& s, std::size_t at)
{
    return std::uint32_t(std::uint8_t(s[at])) << 24 | std::uint32_t(std::uint8_t(s[at + 1])) << 16 |
           std::uint32_t(std::uint8_t(s[at + 2])) << 8 | std::uint8_t(s[at + 3]);
}

void put_be32(std::string& s, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) s[at + i] = char(v >> (24 - 8 * i));
}

}  // namespace

std::string encode_png(const png_picture& p, int compression)
{
    std::vector<std::vector<png_byte>> rows = packed_rows(p);
    std::vector<png_bytep> row_pointers;
    for (auto& r : rows) row_pointers.push_back(r.data());

    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("encode_png: libpng refused the picture");
    }
    png_set_write_fn(png, &out, append, flush);
    png_set_compression_level(png, compression);
    png_set_IHDR(png, info, p.width, p.height, p.bit_depth, p.colour_type,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < p.palette.size(); i += 3)
        palette.push_back({p.palette[i], p.palette[i + 1], p.palette[i + 2]});
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), int(palette.size()));
    if (!p.palette_alpha.empty()) png_set_tRNS(png, info, p.palette_alpha.data(), int(p.palette_alpha.size()), nullptr);
    if (p.transparent_grey >= 0) {
        png_color_16 key{};
        key.gray = png_uint_16(p.transparent_grey);
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_set_rows(png, info, row_pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::size_t find_chunk(const std::string& png, const char* type)
{
    for (std::size_t at = 8; at + 8 <= png.size(); at += 12 + be32(png, at))
        if (png.compare(at + 4, 4, type) == 0) return at;
    return std::string::npos;
}

void patch_chunk(std::string& png, std::size_t chunk, std::size_t offset, std::uint32_t value)
{
    const std::uint32_t length = be32(png, chunk);
    put_be32(png, chunk + 8 + offset, value);
    const auto* type_and_data = reinterpret_cast<const Bytef*>(png.data() + chunk + 4);
    put_be32(png, chunk + 8 + length, std::uint32_t(crc32(0, type_and_data, 4 + length)));
}

}  // namespace test_masks
