// The doubled polyline converted to real points once, for the fits.
#pragma once

#include <cstddef>
#include <vector>

#include "fitting/typedefs.h"

namespace outline {

// Holds one spare point before node 0 and two after the last node, so that a
// sweep can read node k - 1 .. k + 2 of any node k of the array in a single
// load; the spare points are never used in a result.
class real_polyline {
public:
    void assign(const std::vector<node>& nodes)
    {
        points_.assign(nodes.size() + 3, real_point{0, 0});
        for (size_t i = 0; i < nodes.size(); ++i)
            points_[i + 1] = to_real(nodes[i]);
    }
    void clear() { points_.clear(); }
    size_t size() const { return points_.empty() ? 0 : points_.size() - 3; }
    const real_point* data() const { return points_.data() + 1; }
    const real_point& operator[](size_t i) const { return points_[i + 1]; }

private:
    std::vector<real_point> points_;
};

}  // namespace outline
