// The contour tracer: every boundary between set and clear pixels of a
// bitmap, as paths along the pixel edges.
//
// Terms:
//   corner   node (x, y), 0 <= x <= W, 0 <= y <= H: the top-left corner of
//            pixel (x, y); x then y, unsigned 16-bit, in pixel units.
//   crack    the unit edge between two neighbouring corners. The horizontal
//            crack (x, y)-(x + 1, y) lies between pixels (x, y - 1) and (x, y);
//            the vertical crack (x, y)-(x, y + 1) between pixels (x - 1, y)
//            and (x, y). It is a boundary crack when its two pixels differ.
//            The image border is no crack: there are no pixels outside.
//   contour  the corners of one path, consecutive ones a crack apart; closed
//            when its last corner repeats its first.
#pragma once

#include <cstdint>
#include <vector>

#include "contour/bitmap.h"
#include "fitting/typedefs.h"

namespace img {

typedef outline::node node;
typedef std::vector<node> contour;

// The largest width or height that corner coordinates can express.
constexpr std::uint32_t max_traced_size = 65535;

// Throws std::length_error for an image wider or higher than
// max_traced_size pixels.
void check_traced_size(const bitmap& image);

inline bool is_closed(const contour& c) { return !c.empty() && c.front() == c.back(); }

// Appends every boundary path of `image` to `contours`, in the order they
// are started: first the paths that start on the top and bottom border, then
// on the left and right border (these are open), then, in raster order, the
// paths that start at a crack with a clear pixel on its left and a set pixel
// on its right (these close). Each crack is used by one path only.
// Throws std::length_error for an image wider or higher than
// max_traced_size pixels.
void trace_contours(const bitmap& image, std::vector<contour>& contours);

// Extends `path` (at least two corners; the crack into its last corner
// already marked) from its last corner: takes the first unwalked boundary
// crack in the order left, right, up, down, marks it in `walked` and moves
// on, until it reaches the image border or no such crack leaves the corner.
// `walked` has W + 1 columns and 2H + 1 rows: bit x of row 2y is the
// horizontal crack from (x, y), bit x of row 2y + 1 the vertical one.
void follow_contour(const bitmap& image, contour& path, bitmap& walked);

}  // namespace img
