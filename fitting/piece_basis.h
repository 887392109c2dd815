// The basis of a piece fit: M samples with fixed, evenly spaced curve
// parameters t_j = j / (M - 1). Everything that depends only on the piece
// length and the sample count (where the first samples go, the curve
// weights at each t_j, the 2x2 normal matrix of the inner control points)
// is computed once and shared by every piece of that length. The values are
// exactly those the per-sample arithmetic of a fit produces.
#pragma once

#include <vector>

#include "fitting/bezier_piece.h"

namespace outline {

// Most samples one piece may get; keeps an absurd oversample factor from
// exhausting memory.
constexpr unsigned max_piece_samples = 1u << 20;

// Number of samples of a piece of `length` nodes: the integer part of
// length * oversample, but at least 4 (fewer make the 2x2 system of the
// inner control points singular) and at most max_piece_samples.
unsigned piece_sample_count(unsigned length, float oversample);

struct piece_basis {
    unsigned length = 0;   // L, nodes in the piece
    unsigned samples = 0;  // M
    float step = 0;        // 1 / (M - 1)

    struct inner_weight {  // at the inner sample's parameter t (summed in float from start)
        double alpha;      // u^2 t
        double beta;       // u t^2
        double u3;         // u^3
        double t3;         // t^3
    };
    // The curve weights of one sample, each weight of the point twice and of
    // the derivative twice, as the four lanes (x, y, x', y') of one vector
    // register (the plain sweep).
    struct lane_weight {
        float w[4][4];  // w[i] multiplies (P_i, P_(i+1) - P_i); w[3] = (t^3, t^3, 0, 0)
    };
    std::vector<float> spread;        // [stride] j * step * (L - 1): start offset of sample j in node units
    std::vector<inner_weight> inner;  // [M] entries 1 .. M-2 used
    std::vector<lane_weight> lanes;   // [M] entries 1 .. M-2 used
    // The curve weights once more, one row per weight (b0, b1, b2, b3, d0,
    // d1, d2), each row `stride` floats long and zero past sample M - 2, for
    // the sweeps that handle eight samples at a time.
    std::vector<float> rows;
    unsigned stride = 0;
    // The inner weights alpha, beta, u^3 and t^3 in four rows of 2 * stride
    // doubles, each weight twice in a row (for the x and the y of a sample).
    std::vector<double> pairs;
    double a11 = 0, a12 = 0, a22 = 0;  // normal matrix of the 2x2 system
    double inv_det = 0;                // 1 / (a11 a22 - a12^2)

    // Fills the basis for pieces of `length` nodes at `oversample` samples per
    // node. The inner weights start at t = start + step.
    void build(unsigned length, float oversample, float start = 0);
    // The inner weights alone, for an explicit sample count and step (fit_inner_controls).
    void build_inner(unsigned samples, float step, float start);
};

}  // namespace outline
