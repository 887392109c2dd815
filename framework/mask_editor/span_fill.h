// The flood fill of a 1-bit mask: the 4-connected region of pixels that
// differ from a value, reached from a seed, all get the value. Pixels that
// touch only at a corner are in separate regions.
//
// The fill works a span (a run of pixels in one row) at a time: it fills
// the seed's span, then looks for unfilled runs in the rows above and below
// it and keeps one seed per run on a stack on the heap, so a region of any
// shape (a one-pixel spiral over a whole 4096 by 4096 mask) fills without
// deep recursion. Every pixel of the region is read a bounded number of
// times; rows are reached through the mask's row table (masks read from a
// BMP are stored bottom-up), and no bit past the width is touched.
#pragma once

#include "contour/bitmap.h"

#include <cstdint>

namespace Kor {

// Fills from (x, y) with `value`; the number of pixels changed. Nothing
// happens when the seed lies outside the mask or already has the value.
std::uint64_t SpanFill(img::bitmap& mask, long long x, long long y, bool value);

// Gives pixels [left, right) of `row` the value, a byte at a time.
void FillRowBits(img::bitmap::byte* row, std::uint32_t left, std::uint32_t right, bool value);

}  // namespace Kor
