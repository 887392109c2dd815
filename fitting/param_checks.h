// Which parameter sets the engine takes. The batch command refuses others
// as a usage error, the document's parameter setter leaves everything as it
// was; both ask param_problems.
//
// Why these rules: a value that is not finite poisons every sum it enters;
// a negative junction penalty can make a curve's cost negative, which every
// caller reads as "no curve"; an oversample factor of 0 or less gives no
// samples to speak of (the fits would quietly use their minimum of 4); and
// an iteration count past max_fit_iterations only makes a fit run for
// minutes (the rendering pass runs in the user's sight) without a visible
// gain: the fits settle long before.
#pragma once

#include <vector>

#include "fitting/params.h"

namespace outline {

// The most iterations a fit may be given: a hundred times the rendering
// default of 100.
constexpr unsigned max_fit_iterations = 10000;

// What a field must be.
enum class param_rule {
    finite,                  // a finite number (every real field)
    not_negative,            // 0 or more (junction_penalty)
    positive,                // more than 0 (the oversample factors)
    at_most_max_iterations,  // at most max_fit_iterations (the iteration counts)
};

struct param_problem {
    const char* field;  // the field's name in grand_params, e.g. "junction_penalty"
    param_rule rule;    // the rule it breaks
};

// Every field that breaks a rule, in the order of the fields; empty when
// the engine takes the set.
std::vector<param_problem> param_problems(const grand_params<float>& params);

// What the rule asks for, to end a sentence such as "expected ...":
// "a finite number", "a number of 0 or more", "a number greater than 0",
// "a whole number up to 10000".
const char* param_rule_text(param_rule rule);

}  // namespace outline
