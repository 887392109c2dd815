// Fitting the imported polyline, with or without pins, as the document's
// Build and Render do.
#pragma once

#include <functional>
#include <vector>

#include "fitting/params.h"
#include "fitting/typedefs.h"

namespace cli {

struct fit_outcome {
    std::vector<outline::real_point> control_points;  // 3m + 1 points; empty when no curve was found
    float discrepancy = 0;                            // what the junction search returned; negative: no curve
    unsigned estimated_length = 0;                    // the free search's estimated length L; 0 with pins
};

// Told the estimated length and the length the estimation goes to after
// every estimation step.
typedef std::function<void(unsigned length, unsigned target)> progress_fn;

// Without pins: estimates to the whole polyline, or only up to max_length
// when it is not 0 (the search then works on the partial estimation, as
// after a cancelled build), and renders. Throws std::bad_alloc when an
// estimation step cannot get its memory.
fit_outcome fit_free(const std::vector<outline::node>& closed, const outline::grand_params<float>& params,
                     unsigned max_length, const progress_fn& progress);

// With pins (non-empty, as add_area makes them): the guided search.
fit_outcome fit_guided(const std::vector<outline::node>& closed, const std::vector<outline::area>& areas,
                       const outline::grand_params<float>& params);

}  // namespace cli
