#include "contour/read_bmp.h"

#include <cstdint>
#include <fstream>

#include "contour/image_size.h"

namespace img {

namespace {

const char* const read_error_message = "could not open BMP image for reading or read error";

typedef std::uint8_t byte;

std::uint16_t u16(const byte* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t u32(const byte* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24; }
std::int32_t s32(const byte* p) { return std::int32_t(u32(p)); }

// The header fields the reader uses.
struct bmp_header {
    std::uint16_t signature = 0;
    std::uint32_t pixel_offset = 0;     // from the start of the file
    std::int32_t width = 0;
    std::int32_t height = 0;            // negative: top-down rows
    std::uint16_t bit_count = 0;
    std::uint32_t compression = 0;
    std::uint64_t palette_offset = 54;  // from the start of the file
    unsigned palette_entry_size = 4;    // blue, green, red[, reserved]
};

// The 14-byte file header, then the information header. Its usual form has
// 40 bytes; the later versions (108, 124 bytes) only add fields after them,
// and the palette follows the header at the size the file declares. The
// OS/2 forms differ: 12 bytes with 16-bit sizes and 3-byte palette entries,
// or 16 to 39 bytes holding the first fields of the usual layout. Any other
// declared size is read with the usual 40-byte layout.
bmp_header read_header(std::istream& in)
{
    byte file_header[14];
    in.read(reinterpret_cast<char*>(file_header), sizeof file_header);
    byte info[40] = {};
    in.read(reinterpret_cast<char*>(info), 4);
    const std::uint32_t info_size = u32(info);

    bmp_header h;
    h.signature = u16(file_header);
    h.pixel_offset = u32(file_header + 10);
    if (info_size == 12) {
        in.read(reinterpret_cast<char*>(info + 4), 8);
        h.width = u16(info + 4);
        h.height = u16(info + 6);
        h.bit_count = u16(info + 10);
        h.palette_offset = 14 + 12;
        h.palette_entry_size = 3;
        return h;
    }
    const std::uint32_t read_size = info_size >= 16 && info_size < 40 ? info_size : 40;
    in.read(reinterpret_cast<char*>(info + 4), read_size - 4);
    h.width = s32(info + 4);
    h.height = s32(info + 8);
    h.bit_count = u16(info + 14);
    h.compression = u32(info + 16);
    if (info_size >= 16)
        h.palette_offset = 14 + std::uint64_t(info_size);
    return h;
}

bool black(const byte* entry) { return entry[0] == 0 && entry[1] == 0 && entry[2] == 0; }

void read_pixels(std::ifstream& in, bitmap& image)
{
    const std::streamoff start = in.tellg();
    const bmp_header h = read_header(in);

    if (h.signature != 0x4D42)
        throw unsupported(unsupported::bad_signature, h.signature);
    if (h.compression != 0)
        throw unsupported(unsupported::compressed, h.compression);
    if (h.width < 0)
        throw unsupported(unsupported::negative_width, std::uint32_t(h.width));
    if (h.bit_count != 1)
        throw unsupported(unsupported::bad_bit_count, h.bit_count);

    byte palette[8];
    in.seekg(start + std::streamoff(h.palette_offset));
    in.read(reinterpret_cast<char*>(palette), 2 * h.palette_entry_size);
    const byte* entry0 = palette;
    const byte* entry1 = palette + h.palette_entry_size;

    // Sizes are checked before anything is allocated: a header may claim
    // more than 32-bit sizes can hold, or more than the file has (a file cut
    // short, or a corrupt header).
    const bool top_down = h.height < 0;
    const std::uint32_t width = std::uint32_t(h.width);
    const std::uint32_t height = top_down ? 0u - std::uint32_t(h.height) : std::uint32_t(h.height);
    check_image_size("BMP", width, height);
    const std::uint64_t size = image_bytes(width, height);
    const std::streamoff pixels = start + std::streamoff(h.pixel_offset);
    if (size) {
        in.seekg(0, std::ios::end);
        if (pixels + std::streamoff(size) > in.tellg())
            throw io_error(read_error_message);
    }

    image.set_top_down(top_down);
    image.resize(width, height, 4);
    if (in.tellg() != pixels)
        in.seekg(pixels);
    if (size)
        in.read(reinterpret_cast<char*>(image.data()), std::streamsize(size));

    // Set bits must be the non-black pixels.
    if (!black(entry0) && black(entry1))
        image.invert();
}

}  // namespace

void read_bmp(const std::string& file_name, bitmap& image)
{
    try {
        std::ifstream in;
        in.exceptions(std::ios::failbit | std::ios::badbit);
        in.open(file_name, std::ios::in | std::ios::binary);
        read_pixels(in, image);
    } catch (io_error& e) {
        if (e.detail().empty())
            e.set_detail(file_name);
        throw;
    } catch (const std::exception&) {
        throw io_error(read_error_message, file_name);
    }
}

}  // namespace img
