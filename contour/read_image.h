// Reading a mask from any image file the program takes: BMP, PNG, or
// netpbm (PBM, PGM, PPM), told apart by the file's first bytes, not its name.
#pragma once

#include <cstddef>
#include <string>

#include "contour/bitmap.h"
#include "contour/io_error.h"
#include "contour/read_options.h"

namespace img {

enum class image_format { unknown, bmp, png, pnm };

// The format whose signature `bytes` starts with: "BM" for BMP, the
// eight-byte PNG signature, 'P' and a digit 1 to 6 for netpbm.
image_format format_of(const unsigned char* bytes, std::size_t size);

// Reads the file with the reader of its format (read_bmp, read_png,
// read_pnm) and returns the mask. A BMP is read as read_bmp reads it (the
// non-black pixels set; the threshold does not apply to its two colours)
// and complemented when options.invert is set; the other formats follow
// read_options.h. Throws what those readers throw, and img::io_error
// "could not open image file for reading" or "unknown image file format
// (not BMP, PNG, PBM, PGM or PPM)" with the file name as detail.
bitmap read_image(const std::string& file_name, const read_options& options = read_options());

}  // namespace img
