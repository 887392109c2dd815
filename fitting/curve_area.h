// Signed areas of a closed poly-Bezier and of a closed node list, in square
// pixels, both by the shoelace sum (Green's theorem over the boundary): with
// y pointing down, a boundary that turns clockwise on the screen encloses a
// positive area, the other way a negative one. They tell how much of an
// outline's area a fitted curve keeps.
#pragma once

#include <vector>

#include "fitting/typedefs.h"

namespace outline {

// The area the closed curve encloses: 3m + 1 control points for m pieces,
// the last equal to the first. Exact for cubic pieces (the integral of
// x dy - y dx over a cubic is a quadratic form of its control points),
// summed in double. Parts of the curve that wind the other way count
// negatively, so a loop folded flat onto itself encloses none. Fewer than
// four points enclose nothing.
double curve_area(const std::vector<real_point>& control_points);

// The area of the closed polygon through the nodes (last node repeating the
// first); for a traced outline on the pixel corners, the number of pixels it
// encloses.
double polygon_area(const std::vector<node>& closed);

}  // namespace outline
