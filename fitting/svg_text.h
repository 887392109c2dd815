// The closed curve as an SVG document, written by the batch command and by the
// program's export.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fitting/typedefs.h"

namespace outline {

// An SVG document of the closed curve: one path of cubic segments in pixel
// coordinates (y down), the bitmap's size as the view box. Numbers are written
// in the classic locale, whatever the program's locale is.
std::string svg_text(const std::vector<real_point>& control_points, std::uint32_t width, std::uint32_t height);

}  // namespace outline
