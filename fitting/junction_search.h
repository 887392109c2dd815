// The layered dynamic programme of the free junction search.
//
// Layer k holds, for every end node and every chain size t (nodes covered,
// shared junction nodes counted once), the best chain of k + 1 estimated
// pieces: the cheapest first piece followed by the best chain of k pieces
// one layer down, with the bend penalty where they meet and, for a chain of
// N + 1 nodes that closes the curve, also where its last piece meets its
// first. The cheapest closed chain over all layers, plus a junction penalty
// for every junction after the first, is the curve.
//
// Every layer entry is the same value the plain programme computes. To keep
// a parameter change interactive, the search first prices a closed chain
// found by a quick local search and then leaves out every entry and every
// candidate that can only lead to curves no cheaper than that price (all
// costs only grow as pieces are added); entries that can still matter are
// computed exactly as the plain programme would. Should the price have been
// too low for anything to be found below it, the search runs again without
// it.
//
// The chains that a chain continues with end at the same node as the chain,
// so each end node goes through the layers on its own, with two rows of
// entries; the search's memory grows with N times L, as the estimates do,
// not with N squared.
#pragma once

#include <vector>

#include "fitting/params.h"
#include "fitting/typedefs.h"

namespace outline {

// estimates[s][len - 4]: the piece of len nodes from node s, len = 4 .. l,
// for each of the n start nodes; 5 <= l <= n + 1. Reads sharp_bend_penalty
// (<= 0: no bend penalties), junction_penalty and max_junctions (>= 1) of
// the parameters. Replaces `junctions` by the junction list of the cheapest
// curve and returns its cost, or empties it and returns -1 when no closed
// chain exists within the limits.
float search_junctions(const std::vector<std::vector<piece_estimate>>& estimates, unsigned n, unsigned l,
                       const grand_params<float>& params, std::vector<unsigned>& junctions);

}  // namespace outline
