// The import rule: which outline of a mask file becomes the polyline.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "contour/trace_contours.h"

namespace img {

struct imported_contour {
    std::uint32_t width = 0;      // of the bitmap, pixels
    std::uint32_t height = 0;
    contour polyline;             // the first closed contour; last node repeats the first
    std::size_t contour_count = 0; // every traced contour, open or closed
};

// The first closed contour of `contours`. Throws std::runtime_error "The
// bitmap contains no outlines" for an empty list and "The bitmap contains no
// CLOSED outline" when none is closed.
const contour& first_closed_contour(const std::vector<contour>& contours);

// Reads the BMP file, traces it and takes its first closed contour. The
// reader's and the tracer's exceptions pass through unchanged. When
// contour_count is above 1 the caller tells the user that the first closed
// contour was selected.
imported_contour import_contour(const std::string& file_name);

}  // namespace img
