// The fit of one cubic piece to the nodes between two junctions: P0 and P3
// stay on the end nodes, P1 and P2 come from iterated least squares.
//
// The fit places M samples on the polyline (piece_basis), then alternates
// the least-squares fit of P1 and P2 to the samples at their fixed
// parameters (fitting/inner_controls.h) with a pull of every inner sample
// towards the curve's normal (fitting/sample_pull.h). It stops when the
// residual per inner sample has reached the stop value, or after the most
// iterations allowed.
//
// Three ways to run it, all giving the same bits: the plain sweep on the
// node array (fit_piece_plain, the one-call fit_piece), and the fit on the
// polyline converted to real points, which takes eight samples at a time
// where the processor has AVX2 (fitting/avx2_lanes.h).
#pragma once

#include <vector>

#include "fitting/bezier_piece.h"
#include "fitting/piece_basis.h"
#include "fitting/real_polyline.h"
#include "fitting/sample_pull.h"
#include "fitting/typedefs.h"

namespace outline {

// When a fit stops iterating.
struct fit_limits {
    unsigned max_iterations;      // least-squares fits at most; 0 keeps the first control points
    float stop_mean_discrepancy;  // stop once the residual per sample (per node for the whole curve) is at most this
};

// Fits one piece to nodes span.first .. span.end - 1 of the doubled node
// array, with `oversample` samples per node (the basis made for this call;
// the plain sweep). Returns 0 when the stop value was reached, else the
// residual of the last iteration. `samples` is the caller's scratch and
// holds the piece's samples afterwards.
float fit_piece(const std::vector<node>& polyline, node_span span, float oversample, const fit_limits& limits,
                bezier_piece& piece, polyline_samples& samples);
// The plain sweep with a prepared basis for pieces of basis.length nodes
// from node a: the fit the eight-lane one is checked against.
float fit_piece_plain(const std::vector<node>& polyline, unsigned a, const piece_basis& basis, const fit_limits& limits,
                      bezier_piece& piece, polyline_samples& samples);
// The same on the converted polyline, eight samples at a time where the
// processor has AVX2 (the rendering pass).
float fit_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis, const fit_limits& limits,
                bezier_piece& piece, polyline_samples& samples);
// What a search keeps of that fit: its result and the tangents d1 = P1 - P0
// and d2 = P2 - P3. The samples are scratch: the last sweep, which would
// only move them, is skipped (the piece and the result are the same).
piece_estimate estimate_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis,
                              const fit_limits& limits, polyline_samples& scratch);

// A fit's first control points: P0 and P3 on the end nodes, P1 and P2 on the
// nodes a third and two thirds along (integer division). Points is
// nodes_as_real or real_nodes.
template <class Points>
inline void first_controls(bezier_piece& piece, const Points& polyline, unsigned a, unsigned length)
{
    piece[0] = polyline[a];
    piece[1] = polyline[a + length / 3];
    piece[2] = polyline[a + 2 * length / 3];
    piece[3] = polyline[a + length - 1];
}

}  // namespace outline
