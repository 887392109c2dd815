// The common base of the two junction searches: the doubled polyline, the
// four operations that rendering asks of a builder, and the rendering pass
// itself.
#pragma once

#include <vector>

#include "fitting/params.h"
#include "fitting/real_polyline.h"
#include "fitting/typedefs.h"

namespace outline {

// What a junction search found, besides the junction list.
template <class R>
struct junction_search_result {
    // The curve's cost (piece discrepancies and penalties); 0 when the
    // junctions were placed without search; negative when no curve can be
    // found.
    R cost;
    // The junctions were chosen among estimated pieces, so estimated_piece()
    // describes every piece of the list and rendering may reuse the
    // estimates; false when the junctions were placed without search.
    bool estimates_apply;
};

template <class C, class R>
class poly_bezier_builder_base : public typedefs<C, R> {
public:
    typedef typename typedefs<C, R>::node node;
    typedef typename typedefs<C, R>::nodes nodes;
    typedef typename typedefs<C, R>::real_point real_point;
    typedef typename typedefsR<R>::piece_estimate piece_estimate;

    virtual ~poly_bezier_builder_base() = default;

    // Takes a closed node sequence (last node repeating the first): N becomes
    // its size minus one, and the builder holds the N nodes twice in a row.
    void set_polyline(const nodes& closed);
    // N = 0, no nodes.
    void clear();

    unsigned node_count() const { return node_count_; }
    const nodes& doubled_nodes() const { return nodes_; }

    // The rendering pass: searches the junctions, fits every piece (and
    // optionally the whole curve) and fills the poly-Bezier (3m + 1 points).
    // Returns the cost find_junctions returned; on a negative result the
    // poly-Bezier is left empty. Running out of memory is no curve (-1); an
    // exception from the thread pool's loops (a fault its guard caught)
    // passes through.
    R render(std::vector<real_point>& poly_bezier);

    // Replaces `junctions` by the junction list of the best curve and tells
    // its cost and whether the estimates apply to it.
    virtual junction_search_result<R> find_junctions(std::vector<unsigned>& junctions) = 0;
    // The builder's own parameter copy.
    virtual const builder_params<R>& params() const = 0;
    // The estimate made for the piece of `length` nodes from node `start`
    // (reduced modulo N), which is piece `index` of the last junction list.
    virtual const piece_estimate* estimated_piece(unsigned start, unsigned length, unsigned index) const = 0;
    // One flag per piece of `junctions`: true keeps junction i's tangent
    // continuous in the whole-curve fit.
    virtual void smooth_junctions(const std::vector<unsigned>& junctions, std::vector<bool>& flags) const = 0;

protected:
    R render_curve(std::vector<real_point>& poly_bezier);

    unsigned node_count_ = 0;   // N, distinct nodes of the closed polyline
    nodes nodes_;               // [2N] the polyline doubled
    real_polyline real_nodes_;  // [2N] the same converted to real points, for the fits
};

}  // namespace outline
