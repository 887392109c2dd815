// The free junction search: any node may become a junction and the search
// chooses the number of pieces itself, between one and max_junctions.
//
// Two stages run at different times. Incremental estimation fits, step by
// step, every piece of the next length L from every start node and keeps the
// estimates between builds. The junction search is a dynamic programme over
// those estimates: layer k holds, for every start node and chain size, the
// best chain of k + 1 pieces; a chain of N + 1 nodes closes the curve.
#pragma once

#include <vector>

#include "fitting/poly_bezier_builder_base.h"

namespace outline {

// What one estimation step did.
enum class step_outcome {
    grown,              // L is one larger
    complete,           // L had reached N + 1 already: nothing to do
    not_enough_memory,  // the step could not get its memory; nothing changed
};

template <class C, class R>
class grand_poly_bezier_builder : public poly_bezier_builder_base<C, R> {
    typedef poly_bezier_builder_base<C, R> base;

public:
    typedef typename base::nodes nodes;
    typedef typename base::piece_estimate piece_estimate;
    typedef typename base::real_point real_point;

    // Sets the polyline, L = 3 and N empty estimate lists.
    void reset(const nodes& closed);

    // Copies all twelve fields; estimates already made stay.
    void set_params(const grand_params<R>& params) { params_ = params; }
    const builder_params<R>& params() const override { return params_; }

    // Fits the N pieces of length L + 1 and makes L one larger; does nothing
    // once L has reached N + 1. Without the memory for it nothing changes.
    // An exception from the thread pool's loop (a fault its guard caught)
    // passes through and leaves the estimates as they were.
    step_outcome estimation_step();

    // Makes room for the estimates up to `length` at once, so that an
    // estimation known to stop there takes no more memory than it keeps
    // (the lists otherwise grow by doubling). False, and nothing changes,
    // without the memory.
    bool reserve_length(unsigned length);

    // L: every start node has estimates for lengths 4 .. L (3 when none).
    unsigned estimated_length() const { return estimated_length_; }
    // True once the estimation covers the whole polyline (L = N + 1).
    bool fully_estimated() const { return estimated_length_ >= this->node_count_ + 1; }
    const std::vector<std::vector<piece_estimate>>& estimates() const { return estimates_; }

    junction_search_result<R> find_junctions(std::vector<unsigned>& junctions) override;
    const piece_estimate* estimated_piece(unsigned start, unsigned length, unsigned index) const override;
    void smooth_junctions(const std::vector<unsigned>& junctions, std::vector<bool>& flags) const override;

private:
    void estimate_length(unsigned length);
    void place_without_search(std::vector<unsigned>& junctions) const;

    grand_params<R> params_;
    unsigned estimated_length_ = 3;
    // estimates[s][len - 4]: the piece of len nodes from node s, len = 4 .. L.
    std::vector<std::vector<piece_estimate>> estimates_;
};

}  // namespace outline
