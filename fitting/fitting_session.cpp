#include "fitting/fitting_session.h"

#include <algorithm>

#include "fitting/param_checks.h"

namespace outline {

bool is_curve(float discrepancy, const std::vector<real_point>& control_points)
{
    return !(discrepancy < 0) && control_points.size() >= 4;
}

void fitting_session::set_outline(const std::vector<node>& closed)
{
    closed_ = closed;
    pins_.clear();
    clear_estimates();
}

add_area_result fitting_session::add_pin(real_point centre, float radius, bool smooth)
{
    const add_area_result result = add_area(pins_, closed_, centre, radius, smooth);
    if (result == add_area_result::added) {
        guided_.clear();
        guided_set_ = false;
    }
    return result;
}

void fitting_session::clear_pins()
{
    pins_.clear();
    guided_.clear();
    guided_set_ = false;
}

bool fitting_session::set_params(const grand_params<float>& params)
{
    if (!param_problems(params).empty()) return false;
    params_ = params;
    return true;
}

void fitting_session::clear_estimates()
{
    free_.reset(closed_);
    guided_.clear();
    guided_set_ = false;
}

void fitting_session::set_guided_search()
{
    std::vector<guided_poly_bezier_builder<unsigned short, float>::node_list_ref> lists;
    std::vector<bool> smooth;
    for (const area& a : pins_) {
        lists.push_back(std::cref(a.nodes));
        smooth.push_back(a.smooth);
    }
    guided_.set(closed_, lists, smooth);
    guided_set_ = true;
}

void fitting_session::prepare()
{
    if (pins_.empty()) {
        free_.set_params(params_);
        return;
    }
    if (!guided_set_) set_guided_search();
    guided_.set_params(params_);
    // Without estimation the junctions are placed without the candidate
    // pieces, so they are not worth fitting yet.
    if (params_.estimation) guided_.estimate();
}

step_outcome fitting_session::estimation_step()
{
    return free_.estimation_step();
}

fitted_curve fitting_session::render()
{
    fitted_curve out;
    if (pins_.empty()) {
        free_.set_params(params_);
        out.discrepancy = free_.render(out.control_points);
    } else {
        prepare();  // estimates nothing the guided search holds already
        out.discrepancy = guided_.render(out.control_points);
    }
    return out;
}

session_run fitting_session::run(const progress_fn& progress, unsigned max_length)
{
    session_run out;
    prepare();
    if (pins_.empty() && params_.estimation) {
        const unsigned target = max_length ? std::min(max_length, full_length()) : full_length();
        free_.reserve_length(target);  // without the memory the steps grow the lists as they go
        while (estimated_length() < target) {
            if (estimation_step() == step_outcome::not_enough_memory) {
                out.estimation = estimation_end::not_enough_memory;
                return out;
            }
            if (progress && !progress(estimated_length(), target)) break;
        }
        if (!estimation_complete()) out.estimation = estimation_end::stopped;
    }
    out.curve = render();
    return out;
}

}  // namespace outline
