// The closed curve as an SVG document, written by the batch command and by the
// program's export, and the curves of a whole picture as one filled path.
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

// An SVG document of a whole picture: every closed curve a subpath (one a
// line) of a single path filled black with the even-odd rule, so that holes
// stay clear and shapes inside holes are filled again, as in the mask the
// curves were traced from. Curves without points are left out.
std::string svg_picture_text(const std::vector<std::vector<real_point>>& curves, std::uint32_t width,
                             std::uint32_t height);

}  // namespace outline
