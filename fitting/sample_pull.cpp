#include "fitting/sample_pull.h"

#include <algorithm>

#include "fitting/avx2_lanes.h"

namespace outline {

bool intersect_lines(real_point a, real_vector d, real_point b, real_vector n, float& s)
{
    return crossing(a, d, b, n, s);
}

void pull_to_polyline(polyline_position& position, real_point& sample, const std::vector<node>& polyline,
                      node_span span, real_point b, real_vector db)
{
    pull_sample(position, sample, nodes_as_real{polyline.data()}, span, b, db);
}

void pull_to_polyline(polyline_samples& samples, const real_polyline& polyline, node_span span,
                      const std::vector<real_point>& curve_points, const std::vector<real_vector>& curve_derivatives)
{
    const size_t count = std::min(std::min(samples.positions.size(), samples.points.size()),
                                  std::min(curve_points.size(), curve_derivatives.size()));
#if defined(__x86_64__)
    if (has_avx2()) {
        pull_many_avx2(samples, count, polyline, span, curve_points.data(), curve_derivatives.data());
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i)
        pull_sample(samples.positions[i], samples.points[i], real_nodes{polyline.data()}, span, curve_points[i],
                    curve_derivatives[i]);
}

}  // namespace outline
