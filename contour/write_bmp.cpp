#include "contour/write_bmp.h"

#include <cstdint>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "contour/io_error.h"

namespace img {

namespace {

void put16(std::string& out, std::uint32_t v)
{
    out += char(v & 0xFF);
    out += char(v >> 8 & 0xFF);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::string encode_bmp(const bitmap& image)
{
    const std::uint32_t width = image.width(), height = image.height();
    const std::uint32_t header_size = 14 + 40 + 8;
    const std::uint64_t stride = bitmap::stride_for(width, 4);
    const std::uint64_t pixel_size = stride * height;
    if (header_size + pixel_size > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("bitmap too large for a BMP file");

    std::string out;
    out.reserve(std::size_t(header_size + pixel_size));
    out += "BM";
    put32(out, std::uint32_t(header_size + pixel_size));  // file size
    put32(out, 0);                                        // two reserved words
    put32(out, header_size);                              // pixel data offset
    put32(out, 40);                                       // information header size
    put32(out, width);
    put32(out, height);                                   // positive: bottom-up rows
    put16(out, 1);                                        // planes
    put16(out, 1);                                        // bits per pixel
    put32(out, 0);                                        // uncompressed
    put32(out, std::uint32_t(pixel_size));
    put32(out, 2835);                                     // 72 dpi, in pixels per metre
    put32(out, 2835);
    put32(out, 2);                                        // colours used
    put32(out, 2);                                        // important colours
    put32(out, 0x00000000);                               // palette: black,
    put32(out, 0x00FFFFFF);                               // white

    const std::uint32_t bytes = bitmap::row_bytes(width);
    const unsigned spare_bits = (8 - width % 8) % 8;
    const char last_mask = char(0xFF << spare_bits);
    for (std::uint32_t i = height; i-- > 0;) {
        const std::size_t begin = out.size();
        if (bytes) {
            out.append(reinterpret_cast<const char*>(image.row(i)), bytes);
            out[out.size() - 1] &= last_mask;
        }
        out.resize(begin + std::size_t(stride), '\0');
    }
    return out;
}

void write_bmp(const std::string& file_name, const bitmap& image)
{
    const std::string bytes = encode_bmp(image);
    std::ofstream out(file_name, std::ios::out | std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw io_error("could not write BMP image", file_name);
}

}  // namespace img
