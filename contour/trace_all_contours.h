// Whole-picture tracing: every outline of a mask, each one closed, together
// describing the mask exactly (the terms are those of trace_contours.h).
//
// The image is traced as if it had one more row and column of clear pixels
// all round, so a crack on the image border is a boundary crack when the
// pixel inside is set; corners keep the image's coordinates (0 to W, 0 to
// H). Every boundary crack is walked exactly once, in the direction that
// keeps the set pixel on the walker's left as seen on screen (x to the
// right, y down): down the vertical crack (x, y)-(x, y + 1) when pixel
// (x, y) is the set one, right along the horizontal crack (x, y)-(x + 1, y)
// when pixel (x, y - 1) is. The outer boundary of a shape thus runs
// counter-clockwise on screen and the boundary of a hole clockwise, and a
// fill of all the outlines reproduces the mask with the even-odd rule and
// with the non-zero rule alike.
//
// Where two set pixels touch only at a corner (their two neighbours at that
// corner clear), they belong to one shape: the outline passes through the
// corner twice, once round each of them, and the two clear pixels belong to
// different clear regions (a clear region is connected through edges only).
#pragma once

#include <vector>

#include "contour/bitmap.h"
#include "contour/trace_contours.h"

namespace img {

// Appends every outline of `image` to `contours`, in raster order of the
// first vertical crack each one walks (a shape's outline comes before the
// outlines of its holes, a hole's before those of the shapes inside it).
// Each outline starts on that crack and ends where it started, its last
// corner repeating its first. Throws std::length_error for an image wider or
// higher than max_traced_size pixels; an image without pixels has no outline.
void trace_all_contours(const bitmap& image, std::vector<contour>& contours);

}  // namespace img
