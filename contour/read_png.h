// The PNG reader, through libpng.
#pragma once

#include <string>

#include "contour/bitmap.h"
#include "contour/io_error.h"
#include "contour/read_options.h"

namespace img {

// Fills `image` (top-down, rows padded to 4 bytes with zero bits) from the
// PNG file `file_name`: every colour type and bit depth, palette and
// transparency chunks, interlaced or not; which pixels are set is said in
// read_options.h (16-bit samples are compared at their full precision).
// Throws img::io_error whose detail is the file name: "could not open PNG
// image for reading or read error" for a file that cannot be opened or is
// cut short, "PNG image dimensions too large (W x H)" for an image whose
// bitmap would pass 4 GiB, "could not decode PNG image (...)" with libpng's
// reason for anything else libpng refuses (not a PNG, a CRC error, damaged
// data, a side above libpng's limit of 1,000,000 pixels), "not enough memory
// to read PNG image". A file far too short for the pixels its header claims
// is refused before the bitmap is allocated. Throws std::invalid_argument
// when the threshold is not a number. On a throw `image` holds something
// partial, which the caller discards.
void read_png(const std::string& file_name, bitmap& image, const read_options& options = read_options());

}  // namespace img
