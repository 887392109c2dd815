// The pull: between two least-squares fits, every movable sample moves along
// the polyline to where the curve's normal at the sample's parameter crosses
// the polyline, searching only the segments next to where the sample lies.
//
// A sample on a segment moves along that segment (snapping to its end node
// when the crossing lies at or beyond it). A sample at a node looks at both
// segments of the node within the piece, takes the nearer crossing to the
// curve point (ties to the previous segment), and moves at most half a
// segment past the far node. Nothing moves when the normal is (nearly)
// parallel to the segments.
#pragma once

#include <cmath>
#include <limits>
#include <vector>

#include "fitting/real_polyline.h"
#include "fitting/typedefs.h"

namespace outline {

// Where a sample lies on the polyline.
struct polyline_position {
    unsigned kind;  // 0: exactly at node `node`; 1: on the segment node .. node + 1
    unsigned node;  // index into the doubled node array
};

// Samples on the polyline with their positions: what a fit moves, and the
// caller's scratch, reused from call to call.
struct polyline_samples {
    std::vector<real_point> points;            // [M]
    std::vector<polyline_position> positions;  // [M] where points[j] lies
};

// Nodes first .. end - 1 of the doubled polyline: where a piece's samples may go.
struct node_span {
    unsigned first;
    unsigned end;
};

// Crossing of the line a + s*d with the line b + r*n. False when the lines
// are (nearly) parallel; otherwise s is set.
bool intersect_lines(real_point a, real_vector d, real_point b, real_vector n, float& s);

// Moves one sample towards the crossing of the curve's normal at B (with
// derivative dB) with the polyline, within `span`.
void pull_to_polyline(polyline_position& position, real_point& sample, const std::vector<node>& polyline,
                      node_span span, real_point b, real_vector db);
// The same for many samples on the converted polyline: sample i (as far as
// all the vectors reach) moves towards curve_points[i] with derivative
// curve_derivatives[i], exactly as one pull_to_polyline each would move it;
// eight at a time where the processor has AVX2.
void pull_to_polyline(polyline_samples& samples, const real_polyline& polyline, node_span span,
                      const std::vector<real_point>& curve_points, const std::vector<real_vector>& curve_derivatives);

// Node k of the polyline as a real point, read from the node array itself
// or from a copy already converted to floats (the conversion is exact).
struct nodes_as_real {
    const node* p;
    real_point operator[](unsigned k) const { return to_real(p[k]); }
};
struct real_nodes {
    const real_point* p;
    real_point operator[](unsigned k) const { return p[k]; }
};

// The crossing of a + s*d with b + r*n, as intersect_lines.
inline bool crossing(real_point a, real_vector d, real_point b, real_vector n, float& s)
{
    const float den = d.y * n.x - n.y * d.x;
    if (std::fabs(den) < std::numeric_limits<float>::epsilon()) return false;
    const real_vector ab = b - a;
    s = (ab.y * n.x - ab.x * n.y) / den;
    return true;
}

inline float squared_distance(real_point a, real_point b)
{
    const float dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

// The pull of one sample, inlined into the fits' sample loops; Points is
// nodes_as_real or real_nodes. The eight-lane pull (fitting/avx2_lanes.cpp)
// performs these float operations in the same order.
template <class Points>
__attribute__((always_inline)) inline void pull_sample(polyline_position& position, real_point& sample,
                                                       const Points& polyline, node_span span, real_point b,
                                                       real_vector db)
{
    const real_vector normal = {db.y, -db.x};
    const unsigned k = position.node;
    const real_point at = polyline[k];
    float s;

    if (position.kind == 1) {
        const real_vector d = polyline[k + 1] - at;
        if (!crossing(at, d, b, normal, s)) return;
        if (s <= 0) {
            position = {0, k};
            sample = at;
        } else if (s >= 1) {
            position = {0, k + 1};
            sample = at + d;
        } else {
            sample = at + s * d;
        }
        return;
    }

    bool prev_ok = false, next_ok = false;
    float prev_s = 0, next_s = 0;
    real_point prev_q{}, next_q{};
    if (k > span.first) {
        const real_vector d = polyline[k - 1] - at;
        if (crossing(at, d, b, normal, prev_s) && prev_s > 0) {
            prev_ok = true;
            prev_q = at + prev_s * d;
        }
    }
    if (k + 1 < span.end) {
        const real_vector d = polyline[k + 1] - at;
        if (crossing(at, d, b, normal, next_s) && next_s > 0) {
            next_ok = true;
            next_q = at + next_s * d;
        }
    }
    if (!prev_ok && !next_ok) return;
    const bool take_next = next_ok && (!prev_ok || squared_distance(next_q, b) < squared_distance(prev_q, b));
    if (take_next) {
        position = {1, k};
        sample = next_s <= 1 ? next_q : (at + polyline[k + 1]) * 0.5f;
    } else {
        position = {1, k - 1};
        sample = prev_s <= 1 ? prev_q : (polyline[k - 1] + at) * 0.5f;
    }
}

}  // namespace outline
