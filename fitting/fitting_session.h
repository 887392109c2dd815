// One fitting job from an outline to a curve, as the batch command and the
// program's build both run it: the outline, its pins, the parameters, the
// two builders with what they have estimated, and the sequence
//
//   prepare()  ->  estimation_step() while the estimation is not complete
//              ->  render()
//
// Without pins the free search estimates step by step (each step fits every
// piece one node longer; see grand_poly_bezier_builder.h) and a build may
// stop after any step: the search then works on what has been estimated,
// and a later build goes on from there. With pins the guided search fits its
// candidate pieces in prepare() and there are no steps.
//
// Threads: the steps may run on a worker thread, one at a time, while the
// calling thread waits or pumps its messages. While a step runs, only
// set_params() and params() may be called from another thread (they touch
// nothing a step reads: the builders take the parameters in prepare() and
// render()); everything else waits for the step to end.
#pragma once

#include <functional>
#include <vector>

#include "fitting/grand_poly_bezier_builder.h"
#include "fitting/guided_poly_bezier_builder.h"
#include "fitting/params.h"
#include "fitting/pin_rules.h"
#include "fitting/typedefs.h"

namespace outline {

// Whether the outcome of a rendering is a curve: a result that is not
// negative (the searches' "none found") and at least one piece, 4 control
// points. (A search with estimation off and max_junctions 0 places a single
// junction: one point, no curve.)
bool is_curve(float discrepancy, const std::vector<real_point>& control_points);

// What a rendering gives.
struct fitted_curve {
    std::vector<real_point> control_points;  // 3m + 1 points for m pieces; empty when none was found
    float discrepancy = 0;                   // the search's result: the curve's cost, 0 when placed without
                                             // search, negative when none was found
    bool is_curve() const { return outline::is_curve(discrepancy, control_points); }
};

// How the estimation of run() ended.
enum class estimation_end {
    complete,           // it reached the whole outline, or nothing was to be estimated (pins, estimation off)
    stopped,            // at the length asked for, or the progress callback said stop
    not_enough_memory,  // a step could not get its memory: nothing rendered
};

struct session_run {
    estimation_end estimation = estimation_end::complete;
    fitted_curve curve;
};

class fitting_session {
public:
    // Told the estimated length L and the length the run estimates to after
    // every step; returns false to stop estimating there.
    typedef std::function<bool(unsigned length, unsigned target)> progress_fn;

    fitting_session() = default;
    // The guided builder refers to the pins' node lists: no copies.
    fitting_session(const fitting_session&) = delete;
    fitting_session& operator=(const fitting_session&) = delete;

    // A closed node list (last node repeating the first), or empty. Drops
    // the pins and every estimate.
    void set_outline(const std::vector<node>& closed);
    const std::vector<node>& outline() const { return closed_; }
    // N, the distinct nodes of the outline.
    unsigned node_count() const { return closed_.empty() ? 0 : unsigned(closed_.size() - 1); }

    // Places a pin by the rules of fitting/pin_rules.h; the guided search
    // starts again when it is added.
    add_area_result add_pin(real_point centre, float radius, bool smooth);
    void clear_pins();
    // Ascending by first node, no node in two pins.
    const std::vector<area>& pins() const { return pins_; }

    // False, and nothing changes, when param_problems() finds any problem.
    // Estimates made with other parameters stay.
    bool set_params(const grand_params<float>& params);
    const grand_params<float>& params() const { return params_; }

    // Forgets what both searches estimated: L back to 3, no guided tables.
    void clear_estimates();

    // Makes ready to estimate: with pins, sets the guided search on the
    // outline and its pins and fits its candidate pieces (this can take a
    // while, on the calling thread); without pins, gives the free search the
    // parameters. Call before the first step of a build.
    void prepare();
    // One step of the free search (see the threads note above).
    step_outcome estimation_step();
    // L: the free search has estimated every piece of up to L nodes (3: none).
    unsigned estimated_length() const { return free_.estimated_length(); }
    // N + 1: L once the estimation covers the whole outline.
    unsigned full_length() const { return node_count() + 1; }
    bool estimation_complete() const { return estimated_length() >= full_length(); }

    // Searches the junctions over what has been estimated and places the
    // control points, with the current parameters. With pins, fits the
    // guided search's candidate pieces first if prepare() has not.
    fitted_curve render();

    // The whole build at once: prepare(), steps up to the whole outline (or
    // up to max_length when that is not 0) while `progress` (if any) lets
    // it go on, then render().
    session_run run(const progress_fn& progress = nullptr, unsigned max_length = 0);

private:
    void set_guided_search();

    std::vector<node> closed_;
    std::vector<area> pins_;
    grand_params<float> params_;
    grand_poly_bezier_builder<unsigned short, float> free_;
    guided_poly_bezier_builder<unsigned short, float> guided_;
    bool guided_set_ = false;  // guided_ holds the outline and the pins
};

}  // namespace outline
