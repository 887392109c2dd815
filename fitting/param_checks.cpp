#include "fitting/param_checks.h"

#include <cmath>
#include <string>

namespace outline {

std::vector<param_problem> param_problems(const grand_params<float>& p)
{
    std::vector<param_problem> problems;
    auto real = [&](const char* field, float value, bool must_be_positive) {
        if (!std::isfinite(value))
            problems.push_back({field, param_rule::finite});
        else if (must_be_positive && !(value > 0))
            problems.push_back({field, param_rule::positive});
    };
    auto iterations = [&](const char* field, unsigned value) {
        if (value > max_fit_iterations) problems.push_back({field, param_rule::at_most_max_iterations});
    };
    real("sharp_bend_penalty", p.sharp_bend_penalty, false);
    iterations("estimation_max_iterations", p.estimation_max_iterations);
    real("estimation_stop_mean_discrepancy", p.estimation_stop_mean_discrepancy, false);
    real("estimation_oversample_factor", p.estimation_oversample_factor, true);
    iterations("rendering_max_iterations", p.rendering_max_iterations);
    real("rendering_stop_mean_discrepancy", p.rendering_stop_mean_discrepancy, false);
    real("rendering_oversample_factor", p.rendering_oversample_factor, true);
    real("junction_penalty", p.junction_penalty, false);
    if (std::isfinite(p.junction_penalty) && p.junction_penalty < 0)
        problems.push_back({"junction_penalty", param_rule::not_negative});
    return problems;
}

const char* param_rule_text(param_rule rule)
{
    switch (rule) {
        case param_rule::finite:
            return "a finite number";
        case param_rule::not_negative:
            return "a number of 0 or more";
        case param_rule::positive:
            return "a number greater than 0";
        case param_rule::at_most_max_iterations:
            break;
    }
    static const std::string bound = "a whole number up to " + std::to_string(max_fit_iterations);
    return bound.c_str();
}

}  // namespace outline
