// PNG files for the reader tests, written with libpng, and the damage done
// to them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_masks {

struct png_picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int colour_type = 0;  // PNG_COLOR_TYPE_GRAY ...
    int bit_depth = 8;
    bool interlaced = false;
    // [height * width * channels] the stored samples row by row (palette
    // indices for a palette picture)
    std::vector<std::uint16_t> samples;
    std::vector<std::uint8_t> palette;        // red, green, blue per entry
    std::vector<std::uint8_t> palette_alpha;  // a transparency chunk for the first entries
    int transparent_grey = -1;                // a transparency chunk's grey key, when not -1
};

// The picture as a PNG file, at the given zlib compression level.
std::string encode_png(const png_picture& picture, int compression = 6);

// The offset of the first chunk of the type (its length field), or npos.
std::size_t find_chunk(const std::string& png, const char* type);

// Writes a big-endian 32-bit value into the chunk at `chunk` (an offset
// returned by find_chunk), `offset` bytes into its data, and puts the
// chunk's CRC right again.
void patch_chunk(std::string& png, std::size_t chunk, std::size_t offset, std::uint32_t value);

}  // namespace test_masks
