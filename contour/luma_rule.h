// The set test of read_options for samples of one maximum value, in
// integers: luma is 299 R + 587 G + 114 B (a grey sample counts as R = G = B),
// so a grey pixel and the colour pixel of the same three samples always
// agree.
#pragma once

#include <cstdint>

#include "contour/read_options.h"

namespace img {

class luma_rule {
public:
    // Samples run from 0 to `maxval` (1 to 65535). Throws
    // std::invalid_argument for a threshold that is not a number.
    luma_rule(const read_options& options, std::uint32_t maxval);

    bool grey(std::uint32_t v) const { return (1000 * std::uint64_t(v) >= cut_) != invert_; }
    bool colour(std::uint32_t r, std::uint32_t g, std::uint32_t b) const
    {
        return (299 * std::uint64_t(r) + 587 * std::uint64_t(g) + 114 * std::uint64_t(b) >= cut_) != invert_;
    }
    // Alpha of at least one half.
    bool opaque(std::uint32_t alpha) const { return 2 * std::uint64_t(alpha) >= maxval_; }

private:
    std::uint64_t cut_;  // the least luma, times 1000 * maxval, that is light
    std::uint32_t maxval_;
    bool invert_;
};

}  // namespace img
