// The BMP writer: the counterpart of read_bmp for masks the project makes
// itself (examples, benchmark inputs, tests).
#pragma once

#include <string>

#include "contour/bitmap.h"

namespace img {

// `image` as an uncompressed 1-bit BMP: a 40-byte information header,
// the palette black then white (so set pixels are white and read back set),
// rows stored bottom-up and padded to 4 bytes with zeros, bits past the width
// cleared. Throws std::length_error when the file would exceed 4 GiB.
std::string encode_bmp(const bitmap& image);

// Writes encode_bmp(image) to the file; throws img::io_error naming the file
// when it cannot be written.
void write_bmp(const std::string& file_name, const bitmap& image);

}  // namespace img
