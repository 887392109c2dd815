// The junction search guided by pins: exactly one junction in each area,
// chosen among the area's candidate nodes by dynamic programming around the
// cycle of areas.
#pragma once

#include <functional>
#include <vector>

#include "fitting/poly_bezier_builder_base.h"

namespace outline {

template <class C, class R>
class guided_poly_bezier_builder : public poly_bezier_builder_base<C, R> {
    typedef poly_bezier_builder_base<C, R> base;

public:
    typedef typename base::nodes nodes;
    typedef typename base::piece_estimate piece_estimate;
    typedef std::reference_wrapper<const std::vector<unsigned>> node_list_ref;

    // A rows x columns table of piece estimates in one block.
    struct estimate_table {
        unsigned rows = 0, columns = 0;
        std::vector<piece_estimate> cells;  // [rows * columns], row by row
        piece_estimate& at(unsigned row, unsigned column) { return cells[size_t(row) * columns + column]; }
        const piece_estimate& at(unsigned row, unsigned column) const { return cells[size_t(row) * columns + column]; }
    };

    // Sets the polyline, the areas' candidate lists (ascending node indices
    // below N, in area order; they must outlive the builder's use of them)
    // and their smooth flags, and discards the estimates.
    void set(const nodes& closed, const std::vector<node_list_ref>& areas, const std::vector<bool>& smooth);
    // Copies the first ten parameter fields; estimates already made stay.
    void set_params(const builder_params<R>& params) { params_ = params; }
    const builder_params<R>& params() const override { return params_; }
    // Clears the polyline, the areas and the estimates.
    void clear();
    // Fits every piece between a candidate of one area and a candidate of
    // the next, once; does nothing when the tables are filled already.
    void estimate();

    bool estimated() const { return !tables_.empty(); }
    unsigned area_count() const { return unsigned(areas_.size()); }
    // Table i: n_(i+1) rows by n_i columns; row b, column a is the piece from
    // candidate a of area i to candidate b of area i + 1.
    const estimate_table& table(unsigned i) const { return tables_[i]; }

    junction_search_result<R> find_junctions(std::vector<unsigned>& junctions) override;
    const piece_estimate* estimated_piece(unsigned start, unsigned length, unsigned index) const override;
    void smooth_junctions(const std::vector<unsigned>& junctions, std::vector<bool>& flags) const override;

private:
    void estimate_tables();
    const std::vector<unsigned>& candidates(unsigned area) const { return areas_[area % areas_.size()].get(); }
    R place_without_search(std::vector<unsigned>& junctions) const;
    R search(std::vector<unsigned>& junctions) const;

    builder_params<R> params_;
    std::vector<node_list_ref> areas_;    // candidate nodes of each area, ascending
    std::vector<bool> smooth_;            // smooth flag of each area
    std::vector<estimate_table> tables_;  // one per area; empty until estimated
};

}  // namespace outline
