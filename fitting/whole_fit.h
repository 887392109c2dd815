// The fit of the whole closed poly-Bezier at once: every control point of
// the curve, the junction points included, in one linear least-squares
// problem over the samples of all pieces, keeping the tangent continuous at
// the junctions flagged smooth (there P2 of the piece that ends is
// 2 J - P1 of the piece that starts, J the junction point).
//
// The samples keep their parameters; the design matrix is factorised once
// (fitting/least_squares_workspace.h) and each iteration solves it for x
// and y, then pulls every sample towards the new curve's normal.
#pragma once

#include <vector>

#include "fitting/piece_fit.h"
#include "fitting/sample_pull.h"
#include "fitting/typedefs.h"

namespace outline {

// The closed curve a whole-curve fit works on.
struct whole_fit_input {
    unsigned node_count;                     // N
    const std::vector<node>& polyline;       // the doubled polyline, at least 2N nodes
    const std::vector<unsigned>& junctions;  // J[0] < ... < J[m] = J[0] + N
    const std::vector<bool>& smooth;         // [m] flag i: junction i keeps a continuous tangent
};

// Fits every control point of the closed poly-Bezier (3m + 1 points) at
// once. The samples are those of the per-piece fits (at `oversample`
// samples per node), all but the last of each piece, piece after piece.
// Returns 0 when the mean residual per polyline node reached the stop value,
// else the residual of the last iteration, or -1 when the problem cannot be
// fitted (inconsistent inputs, fewer observations than unknowns, a failed
// decomposition); the poly-Bezier is then left unchanged.
float fit_whole(const whole_fit_input& curve, float oversample, const fit_limits& limits,
                std::vector<real_point>& poly_bezier, polyline_samples& samples);

}  // namespace outline
