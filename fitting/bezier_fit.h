// Placing Bezier control points: the fit of one cubic piece between two
// junction nodes, the fit of the whole closed poly-Bezier, and the helpers
// both use.
//
// Both fits place M samples on the polyline, each with a fixed curve
// parameter t, and alternate a linear least-squares fit of the control points
// with a move of every movable sample to where the curve's normal at its
// parameter crosses the polyline. The parameters never change, so all that
// depends only on the sample count (the basis weights) is fixed per fit.
#pragma once

#include <array>
#include <vector>

#include "fitting/real_polyline.h"
#include "fitting/typedefs.h"

namespace outline {

typedef std::array<real_point, 4> bezier_piece;  // P0, P1, P2, P3

// Where a sample lies on the polyline.
struct polyline_position {
    unsigned kind;  // 0: exactly at node `node`; 1: on the segment node .. node + 1
    unsigned node;  // index into the doubled node array
};

// Most samples one piece may get; keeps an absurd oversample factor from
// exhausting memory.
constexpr unsigned max_piece_samples = 1u << 20;

// Number of samples of a piece of `length` nodes: the integer part of
// length * oversample, but at least 4 (fewer make the 2x2 system of the
// inner control points singular) and at most max_piece_samples.
unsigned piece_sample_count(unsigned length, float oversample);

// B(t) and B'(t) and the weights of P1 and P2 at t; null outputs are skipped.
void evaluate(const bezier_piece& piece, float t, real_point* point, real_vector* derivative = nullptr,
              float* weight1 = nullptr, float* weight2 = nullptr);

// Crossing of the line a + s*d with the line b + r*n. False when the lines
// are (nearly) parallel; otherwise s is set.
bool intersect_lines(real_point a, real_vector d, real_point b, real_vector n, float& s);

// Moves one sample along the polyline towards the crossing of the curve's
// normal at B (derivative dB) with the polyline, within nodes first .. end-1.
void pull_to_polyline(polyline_position& position, real_point& sample, const std::vector<node>& polyline,
                      unsigned first, unsigned end, real_point b, real_vector db);
// The same for many samples on the converted polyline: sample i (as far as
// all four vectors reach) moves towards the curve point points[i] with
// derivative derivatives[i], exactly as one pull_to_polyline each would move
// it; eight at a time where the processor has AVX2.
void pull_to_polyline(std::vector<polyline_position>& positions, std::vector<real_point>& samples,
                      const real_polyline& polyline, unsigned first, unsigned end,
                      const std::vector<real_point>& points, const std::vector<real_vector>& derivatives);

// The weights of a piece fit that depend only on the piece length and the
// sample count, computed once and shared by every piece of that length.
// They are exactly the values the per-sample arithmetic of the fit produces.
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
    struct curve_weight {  // at t = j * step, for evaluating the curve
        float b0, b1, b2, b3;  // u^3, 3u^2t, 3ut^2, t^3
        float d0, d1, d2;      // 3u^2, 6ut, 3t^2
    };
    // The curve weights of one sample, each weight of the point twice and of
    // the derivative twice, as the four lanes (x, y, x', y') of one vector
    // register (the plain sweep).
    struct lane_weight {
        float w[4][4];  // w[i] multiplies (P_i, P_(i+1) - P_i); w[3] = (t^3, t^3, 0, 0)
    };
    std::vector<float> spread;         // [stride] j * step * (L - 1): start offset of sample j in node units
    std::vector<inner_weight> inner;   // [M] entries 1 .. M-2 used
    std::vector<lane_weight> lanes;    // [M] entries 1 .. M-2 used
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
    // The same for an explicit sample count and step (fit_inner_controls).
    void build_inner(unsigned samples, float step, float start);
};

// Best P1, P2 for fixed P0 = first sample and P3 = last sample, with the
// samples at parameters start + step, start + 2 step, ... Returns the
// residual sum of squares (never negative).
double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, float step, float start);
double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, const piece_basis& basis);

// Fits one cubic piece to nodes a .. b-1 of the doubled polyline with P0, P3
// fixed on the end nodes. Returns 0 when the mean residual per inner sample
// reached `stop`, else the residual of the last iteration. The sample and
// position vectors are the caller's scratch (sized here, reused across calls).
float fit_piece(const std::vector<node>& polyline, unsigned a, unsigned b, unsigned max_iterations,
                float stop_mean_discrepancy, float oversample, bezier_piece& piece,
                std::vector<real_point>& samples, std::vector<polyline_position>& positions);
// The same with a prepared basis for pieces of basis.length nodes, on the
// node array or on the polyline converted to real points (where the
// processor has AVX2, the latter moves eight samples at a time).
float fit_piece(const std::vector<node>& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions);
// Without samples_wanted the samples are scratch: the last sweep, which
// would only move them, is skipped (the piece and the result are the same).
float fit_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis,
                unsigned max_iterations, float stop_mean_discrepancy, bezier_piece& piece,
                std::vector<real_point>& samples, std::vector<polyline_position>& positions,
                bool samples_wanted = true);

// Fits every control point of the closed poly-Bezier (3m + 1 points) at once,
// keeping P2 = 2 P0' - P1' at junctions whose smooth flag is set. The samples
// and positions are those of the per-piece fits, all but the last of each
// piece, piece after piece. Returns 0 when the mean residual per polyline
// node reached `stop`, else the residual of the last iteration, or -1 when the
// problem cannot be fitted (inconsistent inputs, fewer observations than
// unknowns, a failed decomposition); the poly-Bezier is then left unchanged.
float fit_whole(unsigned node_count, const std::vector<node>& polyline, const std::vector<unsigned>& junctions,
                const std::vector<bool>& smooth, unsigned max_iterations, float stop_mean_discrepancy,
                float oversample, std::vector<real_point>& poly_bezier, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions);

}  // namespace outline
