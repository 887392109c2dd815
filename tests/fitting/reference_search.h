// Plain reference versions of the free junction search and the piece fit:
// straightforward and slow, step by step, with none of the engine's
// speed-ups (no bounds, no skipped candidates, no shared basis, no vector
// lanes). The tests check that the engine's results are bit-identical to
// these.
#pragma once

#include <vector>

#include "fitting/bezier_piece.h"
#include "fitting/params.h"
#include "fitting/piece_fit.h"
#include "fitting/sample_pull.h"
#include "fitting/typedefs.h"

namespace reference {

struct search_result {
    float cost;
    std::vector<unsigned> junctions;
};

// The free junction search over estimates[s][len - 4] (len = 4 .. L), with
// estimation on: layers indexed by start node and chain size, closing bends
// found by walking the chain through the lower layers.
search_result grand_search(const std::vector<std::vector<outline::piece_estimate>>& estimates, unsigned n, unsigned l,
                           const outline::grand_params<float>& params);

// The per-piece fit of nodes span.first .. span.end - 1, with the per-sample
// arithmetic of every iteration.
float fit_piece(const std::vector<outline::node>& polyline, outline::node_span span, float oversample,
                const outline::fit_limits& limits, outline::bezier_piece& piece);

}  // namespace reference
