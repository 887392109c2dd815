// Closed polylines for the engine's tests: crack-edge outlines of small
// digital shapes, built directly from their row spans.
#pragma once

#include <vector>

#include "fitting/typedefs.h"

namespace testing_polylines {

using outline::node;

// The crack-edge outline of a shape given by one pixel span [left, right)
// per row, starting at `top`; every row must overlap the next. The outline
// starts at the first pixel's top-left corner going down, as the tracer
// starts a closed contour, and its last node repeats the first.
std::vector<node> outline_of_spans(unsigned top, const std::vector<std::pair<unsigned, unsigned>>& spans);

// The outline of the digital disc of `radius`: pixels whose centres lie
// within the radius of the centre (radius + 1, radius + 1).
std::vector<node> disc(unsigned radius);

// An axis-aligned rectangle of w x h pixels at (x, y).
std::vector<node> rectangle(unsigned x, unsigned y, unsigned w, unsigned h);

// A closed polyline through the given corner nodes, filled with unit steps
// (corners must differ in x or in y only).
std::vector<node> rectilinear(const std::vector<node>& corners);

}  // namespace testing_polylines
