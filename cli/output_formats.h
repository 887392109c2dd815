// The texts vexilo-fit writes besides the control points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour/trace_contours.h"
#include "fitting/typedefs.h"

namespace cli {

// {"width": W, "height": H, "contours": [{"closed": true, "nodes": [[x, y], ...]}, ...]}
// with one contour per line.
std::string contours_json(std::uint32_t width, std::uint32_t height, const std::vector<img::contour>& contours);

// "N=… junctions=… discrepancy=… estimated-length=…"; the length is "-"
// when there was no free estimation (with pins).
std::string stats_line(unsigned node_count, std::size_t control_point_count, float discrepancy,
                       unsigned estimated_length);

}  // namespace cli
