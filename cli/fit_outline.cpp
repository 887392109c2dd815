#include "cli/fit_outline.h"

#include <algorithm>
#include <new>

#include "fitting/grand_poly_bezier_builder.h"
#include "fitting/guided_poly_bezier_builder.h"

namespace cli {

fit_outcome fit_free(const std::vector<outline::node>& closed, const outline::grand_params<float>& params,
                     unsigned max_length, const progress_fn& progress)
{
    outline::grand_poly_bezier_builder<unsigned short, float> builder;
    builder.reset(closed);
    builder.set_params(params);
    if (params.estimation) {
        const unsigned whole = builder.node_count() + 1;
        const unsigned target = max_length ? std::min(max_length, whole) : whole;
        while (builder.estimated_length() < target) {
            const unsigned before = builder.estimated_length();
            builder.estimation_step();
            // A step that cannot get its memory changes nothing and would be
            // retried for ever.
            if (builder.estimated_length() == before)
                throw std::bad_alloc();
            if (progress)
                progress(builder.estimated_length(), target);
        }
    }
    fit_outcome out;
    out.discrepancy = builder.render(out.control_points);
    out.estimated_length = builder.estimated_length();
    return out;
}

fit_outcome fit_guided(const std::vector<outline::node>& closed, const std::vector<outline::area>& areas,
                       const outline::grand_params<float>& params)
{
    typedef outline::guided_poly_bezier_builder<unsigned short, float> guided_builder;
    std::vector<guided_builder::node_list_ref> lists;
    std::vector<bool> smooth;
    for (const outline::area& a : areas) {
        lists.push_back(std::cref(a.nodes));
        smooth.push_back(a.smooth);
    }
    guided_builder builder;
    builder.set(closed, lists, smooth);
    builder.set_params(params);
    // Without estimation the search places the junctions without the
    // candidate pieces, so they are not worth fitting.
    if (params.estimation)
        builder.estimate();
    fit_outcome out;
    out.discrepancy = builder.render(out.control_points);
    return out;
}

}  // namespace cli
