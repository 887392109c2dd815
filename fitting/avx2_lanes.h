// The piece fit and the pull eight samples at a time, for processors with
// AVX2 (chosen at run time; the functions are built for AVX2 alone, the
// rest of the engine for the baseline processor). Each lane performs the
// float operations of the plain code (fitting/piece_fit.cpp,
// fitting/sample_pull.h) in the same order, so the results are the same bits.
#pragma once

#include <cstddef>

#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
#include "fitting/real_polyline.h"
#include "fitting/sample_pull.h"

namespace outline {

#if defined(__x86_64__)
// True where the processor has AVX2 (checked once).
bool has_avx2();

// The piece fit of fit_piece on the converted polyline (`polyline` is its
// node 0, with the spare points of real_polyline around it). The samples
// and their positions are written to `wanted` when it is not null;
// otherwise the last sweep is skipped.
float fit_piece_avx2(const real_point* polyline, unsigned a, const piece_basis& basis, const fit_limits& limits,
                     bezier_piece& piece, polyline_samples* wanted);

// pull_to_polyline for the first `count` samples.
void pull_many_avx2(polyline_samples& samples, size_t count, const real_polyline& polyline, node_span span,
                    const real_point* curve_points, const real_vector* curve_derivatives);
#endif

}  // namespace outline
