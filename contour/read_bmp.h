// The BMP reader: uncompressed 1-bit files only.
#pragma once

#include <string>

#include "contour/bitmap.h"
#include "contour/io_error.h"

namespace img {

// Fills `image` from the BMP file `file_name`; afterwards set pixels are the
// non-black ones (a palette of black and white reads with white set,
// whichever order the palette has). Throws img::unsupported for a file that
// is not an uncompressed 1-bit BMP and img::io_error for one that cannot be
// opened or read, is cut short, or claims more pixels than it can hold; the
// exception's detail is the file name. On a throw `image` holds something
// partial, which the caller discards.
void read_bmp(const std::string& file_name, bitmap& image);

}  // namespace img
