// The fitting session that the batch command and the program's build share:
// step by step or at once, the outcome of a step, the parameter rules and
// the "is a curve" rule.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <new>
#include <sstream>

#include "fitting/fitting_session.h"
#include "fitting/param_checks.h"
#include "tests/fitting/quiet_clog.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;
using testing_output::quiet_clog;

// While set, every allocation of this test program fails (the operators
// new below, which the matching operators delete free): a step that cannot
// get its memory.
static std::atomic<bool> allocations_fail{false};

// GCC takes these free() calls for a mismatch with `new`; they free what
// the operator new above took from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size)
{
    if (allocations_fail.load(std::memory_order_relaxed)) throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    if (allocations_fail.load(std::memory_order_relaxed)) return nullptr;
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
#pragma GCC diagnostic pop

namespace {

void expect_same_curve(const fitted_curve& a, const fitted_curve& b)
{
    EXPECT_EQ(a.discrepancy, b.discrepancy);
    EXPECT_EQ(a.control_points, b.control_points);
}

}  // namespace

TEST(FittingSession, EachStepTellsWhetherTheEstimationGrew)
{
    fitting_session session;
    session.set_outline(testing_polylines::disc(4));
    const unsigned n = session.node_count();
    session.prepare();
    EXPECT_EQ(3u, session.estimated_length());
    for (unsigned length = 4; length <= n + 1; ++length) {
        ASSERT_EQ(step_outcome::grown, session.estimation_step());
        ASSERT_EQ(length, session.estimated_length());
    }
    EXPECT_TRUE(session.estimation_complete());
    EXPECT_EQ(step_outcome::complete, session.estimation_step());
    EXPECT_EQ(n + 1, session.estimated_length());
}

// A step that cannot get its memory says so and changes nothing; the next
// one goes on from the same length.
TEST(FittingSession, AStepWithoutMemoryIsNoSilentRepeat)
{
    quiet_clog quiet;
    fitting_session session;
    session.set_outline(testing_polylines::disc(5));
    session.prepare();
    for (int i = 0; i < 4; ++i) session.estimation_step();
    const unsigned before = session.estimated_length();

    allocations_fail = true;
    const step_outcome outcome = session.estimation_step();
    allocations_fail = false;
    EXPECT_EQ(step_outcome::not_enough_memory, outcome);
    EXPECT_EQ(before, session.estimated_length());

    EXPECT_EQ(step_outcome::grown, session.estimation_step());
    EXPECT_EQ(before + 1, session.estimated_length());

    // The same through run(): no curve, the outcome told.
    fitting_session other;
    other.set_outline(testing_polylines::disc(5));
    allocations_fail = true;
    const session_run run = other.run();
    allocations_fail = false;
    EXPECT_EQ(estimation_end::not_enough_memory, run.estimation);
    EXPECT_FALSE(run.curve.is_curve());
}

// Steps then render give the curve of run(), whether the run stops at a
// length or its progress callback stops it there; a later build goes on.
TEST(FittingSession, StepByStepEqualsTheRunToTheSameLength)
{
    quiet_clog quiet;
    const std::vector<node> disc = testing_polylines::disc(7);
    fitting_session stepped;
    stepped.set_outline(disc);
    stepped.prepare();
    while (stepped.estimated_length() < 12) stepped.estimation_step();
    const fitted_curve partial = stepped.render();
    ASSERT_TRUE(partial.is_curve());

    fitting_session limited;
    limited.set_outline(disc);
    const session_run at_12 = limited.run(nullptr, 12);
    EXPECT_EQ(estimation_end::stopped, at_12.estimation);
    expect_same_curve(partial, at_12.curve);

    fitting_session cancelled;
    cancelled.set_outline(disc);
    std::vector<unsigned> told;
    const session_run stopped = cancelled.run([&](unsigned length, unsigned target) {
        EXPECT_EQ(cancelled.full_length(), target);
        told.push_back(length);
        return length < 12;
    });
    EXPECT_EQ(estimation_end::stopped, stopped.estimation);
    EXPECT_EQ((std::vector<unsigned>{4, 5, 6, 7, 8, 9, 10, 11, 12}), told);
    expect_same_curve(partial, stopped.curve);

    // Resumed: the whole estimation, as a fresh run makes it.
    const session_run resumed = cancelled.run();
    EXPECT_EQ(estimation_end::complete, resumed.estimation);
    fitting_session fresh;
    fresh.set_outline(disc);
    expect_same_curve(fresh.run().curve, resumed.curve);
}

// The steps use the parameters prepare() gave the free search; parameters
// set meanwhile only reach the builders with the next prepare() or render().
TEST(FittingSession, ParametersSetDuringTheStepsWaitForTheNextPrepare)
{
    quiet_clog quiet;
    const std::vector<node> disc = testing_polylines::disc(6);
    fitting_session session, plain;
    session.set_outline(disc);
    plain.set_outline(disc);
    session.prepare();
    grand_params<float> p;
    p.estimation_max_iterations = 1;
    p.junction_penalty = 3;
    ASSERT_TRUE(session.set_params(p));
    while (!session.estimation_complete()) session.estimation_step();
    plain.run();  // estimated with the defaults
    ASSERT_TRUE(plain.set_params(p));
    expect_same_curve(plain.render(), session.render());
}

TEST(FittingSession, OnePointIsNoCurve)
{
    fitting_session session;
    session.set_outline(testing_polylines::rectangle(0, 0, 7, 8));
    grand_params<float> p;
    p.estimation = false;
    p.max_junctions = 0;
    ASSERT_TRUE(session.set_params(p));
    const fitted_curve one_point = session.run().curve;
    EXPECT_EQ(0.0f, one_point.discrepancy);
    EXPECT_EQ(1u, one_point.control_points.size());
    EXPECT_FALSE(one_point.is_curve());

    const std::vector<real_point> four(4, real_point{1, 2});
    EXPECT_TRUE(is_curve(0, four));
    EXPECT_FALSE(is_curve(-1, four));
    EXPECT_FALSE(is_curve(3, std::vector<real_point>(3)));
}

// Reusing the estimates needs estimates: with estimation off the pieces are
// fitted, whatever rendering_same_as_estimation says.
TEST(FittingSession, WithoutEstimationThereIsNothingToReuse)
{
    quiet_clog quiet;
    fitting_session session;
    session.set_outline(testing_polylines::disc(6));
    grand_params<float> p;
    p.estimation = false;
    p.fit_whole_poly_bezier = false;
    ASSERT_TRUE(session.set_params(p));
    const fitted_curve fitted = session.run().curve;
    ASSERT_TRUE(fitted.is_curve());
    p.rendering_same_as_estimation = true;
    ASSERT_TRUE(session.set_params(p));
    expect_same_curve(fitted, session.render());
    EXPECT_TRUE(session.params().rendering_same_as_estimation);
}

TEST(FittingSession, PinsGuideTheSearch)
{
    quiet_clog quiet;
    const std::vector<node> disc = testing_polylines::disc(9);
    fitting_session session;
    session.set_outline(disc);
    EXPECT_EQ(add_area_result::no_nodes, session.add_pin({100, 100}, 2, true));
    EXPECT_EQ(add_area_result::added, session.add_pin({10, 1}, 2.2f, true));
    EXPECT_EQ(add_area_result::shares_nodes, session.add_pin({10, 1.5f}, 2.2f, false));
    EXPECT_EQ(add_area_result::added, session.add_pin({3, 15}, 2.2f, true));
    EXPECT_EQ(add_area_result::added, session.add_pin({18, 14}, 2.2f, false));
    ASSERT_EQ(3u, session.pins().size());

    // Rendering before any build fits the candidate pieces first.
    const fitted_curve direct = session.render();
    ASSERT_TRUE(direct.is_curve());
    EXPECT_EQ(10u, direct.control_points.size());
    const session_run run = session.run();
    EXPECT_EQ(estimation_end::complete, run.estimation);
    expect_same_curve(direct, run.curve);
    EXPECT_EQ(3u, session.estimated_length());  // no free estimation with pins

    // A new outline drops the pins.
    session.set_outline(disc);
    EXPECT_TRUE(session.pins().empty());
}

TEST(ParamChecks, FieldsThatBreakARule)
{
    EXPECT_TRUE(param_problems(grand_params<float>()).empty());

    grand_params<float> p;
    p.sharp_bend_penalty = -3;  // switches bend penalties off: allowed
    p.junction_penalty = 0;
    p.estimation_max_iterations = max_fit_iterations;
    p.max_junctions = 0;
    EXPECT_TRUE(param_problems(p).empty());

    p.sharp_bend_penalty = std::numeric_limits<float>::infinity();
    p.estimation_stop_mean_discrepancy = std::nanf("");
    p.estimation_oversample_factor = 0;
    p.rendering_max_iterations = max_fit_iterations + 1;
    p.rendering_oversample_factor = -1;
    p.junction_penalty = -0.5f;
    const std::vector<param_problem> problems = param_problems(p);
    ASSERT_EQ(6u, problems.size());
    const std::pair<std::string, param_rule> expected[] = {
        {"sharp_bend_penalty", param_rule::finite},
        {"estimation_stop_mean_discrepancy", param_rule::finite},
        {"estimation_oversample_factor", param_rule::positive},
        {"rendering_max_iterations", param_rule::at_most_max_iterations},
        {"rendering_oversample_factor", param_rule::positive},
        {"junction_penalty", param_rule::not_negative},
    };
    for (size_t i = 0; i < problems.size(); ++i) {
        EXPECT_EQ(expected[i].first, problems[i].field);
        EXPECT_EQ(expected[i].second, problems[i].rule) << problems[i].field;
    }
    EXPECT_STREQ("a whole number up to 10000", param_rule_text(param_rule::at_most_max_iterations));

    // The session refuses such a set and keeps the one it had.
    fitting_session session;
    grand_params<float> good;
    good.junction_penalty = 4;
    ASSERT_TRUE(session.set_params(good));
    EXPECT_FALSE(session.set_params(p));
    EXPECT_EQ(4.0f, session.params().junction_penalty);
}
