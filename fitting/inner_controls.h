// The inner control points of a piece in closed form: with P0 on the first
// sample and P3 on the last, the P1 and P2 that fit the inner samples at
// their fixed parameters best in the least-squares sense solve a 2x2 system
// whose matrix depends on the parameters only (see piece_basis).
#pragma once

#include <vector>

#include "fitting/bezier_piece.h"
#include "fitting/piece_basis.h"

namespace outline {

// The right-hand sums of the 2x2 system, x in lane 0 and y in lane 1, each
// accumulated in sample order: C1 += alpha R, C2 += beta R, Q += R^2 with
// R = sample - u^3 P0 - t^3 P3, in double.
struct inner_sums {
    typedef double double2 __attribute__((vector_size(16)));
    double2 start, end;  // P0 and P3
    double2 c1, c2, q;

    inner_sums(real_point p0, real_point p3) : start{p0.x, p0.y}, end{p3.x, p3.y}, c1{0, 0}, c2{0, 0}, q{0, 0} {}
    void add(const piece_basis::inner_weight& w, real_point sample)
    {
        const double2 r = double2{sample.x, sample.y} - w.u3 * start - w.t3 * end;
        c1 += w.alpha * r;
        c2 += w.beta * r;
        q += r * r;
    }
    // Sets P0, P1, P2, P3 and returns the residual sum of squares (never negative).
    double solve(bezier_piece& piece, const piece_basis& basis) const
    {
        const double c1x = c1[0], c1y = c1[1], c2x = c2[0], c2y = c2[1], qx = q[0], qy = q[1];
        piece[0] = {float(start[0]), float(start[1])};
        piece[3] = {float(end[0]), float(end[1])};
        piece[1].x = float((c1x * basis.a22 - c2x * basis.a12) * basis.inv_det / 3);
        piece[1].y = float((c1y * basis.a22 - c2y * basis.a12) * basis.inv_det / 3);
        piece[2].x = float((c2x * basis.a11 - c1x * basis.a12) * basis.inv_det / 3);
        piece[2].y = float((c2y * basis.a11 - c1y * basis.a12) * basis.inv_det / 3);
        double residual =
            (qx - 3 * (piece[1].x * c1x + piece[2].x * c2x)) + (qy - 3 * (piece[1].y * c1y + piece[2].y * c2y));
        return residual < 0 ? 0 : residual;
    }
};

// Best P1, P2 for fixed P0 = first sample and P3 = last sample, with the
// samples at parameters start + step, start + 2 step, ... Returns the
// residual sum of squares (never negative).
double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, float step, float start);
// The same with the basis of the samples (basis.samples of them).
double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, const piece_basis& basis);

}  // namespace outline
