// A quick price for the free junction search: the cost of a good closed
// chain of estimated pieces, found by trying evenly spaced junctions for
// every feasible piece count and moving the junctions of the most promising
// ones one at a time while that makes the chain cheaper. The search leaves
// out whatever can only lead to curves no cheaper than this price, so only
// its speed depends on how good the price is.
#pragma once

#include <vector>

#include "fitting/params.h"
#include "fitting/typedefs.h"

namespace outline {

// estimates[s][len - 4] for the n start nodes and len = 4 .. l, as
// search_junctions takes them. Returns the cost that the search's programme
// gives the cheapest chain found (the same float additions), or infinity
// when no chain of two or more pieces fits the limits. With `junctions`,
// also gives the junctions of that chain (empty when there is none).
float quick_curve_price(const std::vector<std::vector<piece_estimate>>& estimates, unsigned n, unsigned l,
                        const grand_params<float>& params, std::vector<unsigned>* junctions = nullptr);

}  // namespace outline
