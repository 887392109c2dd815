#include "contour/read_image.h"

#include <cstring>
#include <fstream>

#include "contour/read_bmp.h"
#include "contour/read_png.h"
#include "contour/read_pnm.h"

namespace img {

namespace {

const unsigned char png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

image_format sniff(const std::string& file_name)
{
    std::ifstream in(file_name, std::ios::in | std::ios::binary);
    if (!in) throw io_error("could not open image file for reading", file_name);
    unsigned char head[sizeof png_signature] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    if (in.bad()) throw io_error("could not open image file for reading", file_name);
    return format_of(head, std::size_t(in.gcount()));
}

}  // namespace

image_format format_of(const unsigned char* bytes, std::size_t size)
{
    if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return image_format::bmp;
    if (size >= sizeof png_signature && std::memcmp(bytes, png_signature, sizeof png_signature) == 0)
        return image_format::png;
    if (size >= 2 && bytes[0] == 'P' && bytes[1] >= '1' && bytes[1] <= '6') return image_format::pnm;
    return image_format::unknown;
}

bitmap read_image(const std::string& file_name, const read_options& options)
{
    bitmap image(0, 0, 4);
    switch (sniff(file_name)) {
        case image_format::bmp:
            read_bmp(file_name, image);
            if (options.invert) image.invert();
            break;
        case image_format::png:
            read_png(file_name, image, options);
            break;
        case image_format::pnm:
            read_pnm(file_name, image, options);
            break;
        case image_format::unknown:
            throw io_error("unknown image file format (not BMP, PNG, PBM, PGM or PPM)", file_name);
    }
    return image;
}

}  // namespace img
