// The netpbm reader: PBM, PGM and PPM, plain (P1 to P3) and raw (P4 to P6).
#pragma once

#include <string>

#include "contour/bitmap.h"
#include "contour/io_error.h"
#include "contour/read_options.h"

namespace img {

// Fills `image` (top-down, rows padded to 4 bytes with zero bits) from the
// first image of the netpbm file `file_name`; comments ('#' to the end of
// the line) may stand wherever white space may, maxval runs from 1 to 65535
// (two big-endian bytes a raw sample above 255). Which pixels are set is said
// in read_options.h: a PBM bit of 1 is black, so by default the white pixels
// are set, as in the BMP reader. A width or height of 0 gives a bitmap
// without a buffer. Throws img::io_error whose detail is the file name:
// "could not open PNM image for reading or read error" for a file that
// cannot be opened or is cut short (a file too short for the pixels its
// header claims is refused before the bitmap is allocated), "PNM image
// dimensions too large (W x H)" for an image whose bitmap would pass 4 GiB,
// "invalid PNM image (...)" naming what is wrong for a bad header, maxval
// or sample. Throws std::invalid_argument when the threshold is not a
// number. On a throw `image` holds something partial, which the caller
// discards.
void read_pnm(const std::string& file_name, bitmap& image, const read_options& options = read_options());

}  // namespace img
