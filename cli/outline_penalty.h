// The junction penalty of small outlines under --all.
//
// The search prices every junction after the first at the junction penalty,
// against the fitting discrepancy (squared distances summed over the
// outline's samples). A small outline has little discrepancy to trade for a
// junction: with the default penalty a 1-pixel-wide stem or dot of a few
// dozen nodes costs less as one piece folded flat onto itself (a loop with no
// area, which vanishes from a filled drawing) than as two pieces round its
// sides, and small glyphs lose their serifs and corners. So under --all,
// unless the command line gives a junction penalty, an outline of fewer than
// full_penalty_nodes nodes gets the penalty in proportion to its length:
// each of its nodes carries at most the share of the penalty a node of a
// full-penalty outline carries.
#pragma once

namespace cli {

class picture_fit;

// The length from which an outline gets the whole junction penalty, chosen
// by measurement on line art (see the README and bench/README.md).
const unsigned full_penalty_nodes = 300;

// The junction penalty of an outline of `nodes` nodes: `penalty` scaled by
// nodes / full_penalty_nodes, and no more than `penalty`.
float small_outline_penalty(float penalty, unsigned nodes);

// Gives every outline of the job that has no pins (the penalty serves the
// free search only) the penalty of its length.
void scale_small_outline_penalties(picture_fit& job);

}  // namespace cli
