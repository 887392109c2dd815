#include "contour/luma_rule.h"

#include <cmath>
#include <stdexcept>

namespace img {

luma_rule::luma_rule(const read_options& options, std::uint32_t maxval) : maxval_(maxval), invert_(options.invert)
{
    if (std::isnan(options.threshold)) throw std::invalid_argument("the threshold is not a number");
    // Luma times 1000 is a whole number from 0 to 1000 * maxval; the least
    // whole number at or above threshold * 1000 * maxval is the cut. Past
    // the ends every luma, or none, passes.
    const double top = 1000.0 * maxval;
    const double cut = std::ceil(options.threshold * top);
    cut_ = cut <= 0 ? 0 : cut > top ? std::uint64_t(top) + 1 : std::uint64_t(cut);
}

}  // namespace img
