// The texts vexilo-fit writes besides the control points.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contour/trace_contours.h"
#include "fitting/fitting_session.h"
#include "fitting/typedefs.h"

namespace cli {

// {"width": W, "height": H, "contours": [{"closed": true, "nodes": [[x, y], ...]}, ...]}
// with one contour per line.
std::string contours_json(std::uint32_t width, std::uint32_t height, const std::vector<img::contour>& contours);

// {"width": W, "height": H, "curves": [{"points": [[x, y], ...], "junctions": J,
// "discrepancy": D}, ...]} with one curve per line: J junctions (pieces) of
// 3 J + 1 control points, D the search's cost (null should it not be finite).
std::string curves_json(std::uint32_t width, std::uint32_t height, const std::vector<outline::fitted_curve>& curves);

// The control-points text of each curve, blocks separated by an empty line.
std::string control_point_blocks(const std::vector<outline::fitted_curve>& curves);

// "N=… junctions=… discrepancy=… estimated-length=…"; the length is "-"
// when there was no free estimation (with pins).
std::string stats_line(unsigned node_count, std::size_t control_point_count, float discrepancy,
                       unsigned estimated_length);

}  // namespace cli
