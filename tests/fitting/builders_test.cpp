// The data model, the bend penalty and the two junction searches. The free
// search is compared bit for bit with the plain reference search in
// tests/fitting/reference_search.cpp, its estimates with the plain reference
// piece fit there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iostream>
#include <sstream>

#include "fitting/bend_penalty.h"
#include "fitting/bezier_piece.h"
#include "fitting/grand_poly_bezier_builder.h"
#include "fitting/guided_poly_bezier_builder.h"
#include "tests/fitting/reference_search.h"
#include "tests/fitting/quiet_clog.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;
using testing_output::quiet_clog;
typedef grand_poly_bezier_builder<unsigned short, float> grand_builder;
typedef guided_poly_bezier_builder<unsigned short, float> guided_builder;

namespace {

bool same_bits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void estimate_fully(grand_builder& b)
{
    while (!b.fully_estimated()) b.estimation_step();
}

void estimate_to(grand_builder& b, unsigned length)
{
    while (b.estimated_length() < length) b.estimation_step();
}

// Shortest distance from p to the closed polyline.
float distance_to(const std::vector<node>& closed, real_point p)
{
    float best = 1e30f;
    for (size_t i = 0; i + 1 < closed.size(); ++i) {
        real_point a = to_real(closed[i]), b = to_real(closed[i + 1]);
        real_vector d = b - a;
        float len2 = d.x * d.x + d.y * d.y;
        float s = len2 > 0 ? ((p.x - a.x) * d.x + (p.y - a.y) * d.y) / len2 : 0;
        s = s < 0 ? 0 : s > 1 ? 1 : s;
        real_point q = a + s * d;
        best = std::min(best, std::hypot(p.x - q.x, p.y - q.y));
    }
    return best;
}

}  // namespace

TEST(Model, PolylineIsHeldDoubled)
{
    grand_builder b;
    const std::vector<node> closed = testing_polylines::rectangle(1, 1, 2, 3);
    b.reset(closed);
    const unsigned n = unsigned(closed.size() - 1);
    EXPECT_EQ(10u, n);
    ASSERT_EQ(2 * n, b.doubled_nodes().size());
    for (unsigned i = 0; i < n; ++i) {
        EXPECT_EQ(closed[i], b.doubled_nodes()[i]);
        EXPECT_EQ(closed[i], b.doubled_nodes()[i + n]);
    }
    EXPECT_EQ(3u, b.estimated_length());
    b.clear();
    EXPECT_EQ(0u, b.node_count());
    EXPECT_TRUE(b.doubled_nodes().empty());
}

TEST(Model, DefaultParameters)
{
    grand_params<float> p;
    EXPECT_EQ(10.0f, p.sharp_bend_penalty);
    EXPECT_TRUE(p.estimation);
    EXPECT_EQ(10u, p.estimation_max_iterations);
    EXPECT_EQ(0.01f, p.estimation_stop_mean_discrepancy);
    EXPECT_EQ(1.0f, p.estimation_oversample_factor);
    EXPECT_FALSE(p.rendering_same_as_estimation);
    EXPECT_EQ(100u, p.rendering_max_iterations);
    EXPECT_EQ(0.0001f, p.rendering_stop_mean_discrepancy);
    EXPECT_EQ(2.0f, p.rendering_oversample_factor);
    EXPECT_TRUE(p.fit_whole_poly_bezier);
    EXPECT_EQ(50u, p.max_junctions);
    EXPECT_EQ(10.0f, p.junction_penalty);
}

TEST(BendPenalty, Values)
{
    const float p = 10;
    EXPECT_EQ(0.0f, bend_penalty(0.0f, real_vector{1, 0}, real_vector{0, 1}));
    EXPECT_EQ(0.0f, bend_penalty(p, real_vector{2, 1}, real_vector{-4, -2}));  // straight through
    EXPECT_EQ(p, bend_penalty(p, real_vector{1, 0}, real_vector{0, 3}));       // 90 degrees
    EXPECT_EQ(p, bend_penalty(p, real_vector{1, 1}, real_vector{2, 2}));       // doubling back
    EXPECT_EQ(p, bend_penalty(p, real_vector{0, 0}, real_vector{-1, 0}));      // no tangent
    const float theta = 0.2f;
    real_vector a{1, 0}, b{-std::cos(theta), std::sin(theta)};
    EXPECT_NEAR(p * std::sin(theta) * std::sin(theta), bend_penalty(p, a, b), 1e-5);
    EXPECT_EQ(bend_penalty(p, a, b), bend_penalty(p, b, a));
}

TEST(GrandSearch, NeedsPiecesOfFiveNodes)
{
    grand_builder b;
    b.reset(testing_polylines::disc(4));
    b.set_params(grand_params<float>());
    std::vector<unsigned> j = {7, 8};
    EXPECT_EQ(-1.0f, b.find_junctions(j).cost);  // L = 3
    b.estimation_step();
    EXPECT_EQ(4u, b.estimated_length());
    EXPECT_EQ(-1.0f, b.find_junctions(j).cost);  // L = 4
    EXPECT_EQ((std::vector<unsigned>{7, 8}), j);
    b.estimation_step();
    EXPECT_GE(b.find_junctions(j).cost, 0.0f);
}

namespace {

struct search_variant {
    float bend, junction;
    unsigned max_junctions;
};

// Estimates the outline to each of the lengths in turn and checks, for every
// variant of the penalties, that the search gives the very cost and
// junctions of the plain reference search (tests/fitting/reference_search.cpp).
void expect_reference_results(const std::vector<node>& closed, const std::vector<unsigned>& lengths,
                              const std::vector<search_variant>& variants)
{
    grand_builder b;
    b.reset(closed);
    b.set_params(grand_params<float>());
    const unsigned n = b.node_count();
    for (unsigned length : lengths) {
        estimate_to(b, std::min(length, n + 1));
        for (const search_variant& v : variants) {
            grand_params<float> p;
            p.sharp_bend_penalty = v.bend;
            p.junction_penalty = v.junction;
            p.max_junctions = v.max_junctions;
            b.set_params(p);
            std::vector<unsigned> junctions;
            float cost = b.find_junctions(junctions).cost;
            reference::search_result expected = reference::grand_search(b.estimates(), n, b.estimated_length(), p);
            ASSERT_TRUE(same_bits(expected.cost, cost))
                << "N=" << n << " L=" << b.estimated_length() << " bend=" << v.bend << " junction=" << v.junction
                << ": " << expected.cost << " vs " << cost;
            ASSERT_EQ(expected.junctions, junctions);
        }
    }
}

}  // namespace

TEST(GrandSearch, ResultsAreBitIdenticalToTheReferenceSearch)
{
    const std::vector<search_variant> variants = {{10, 10, 50}, {0, 10, 50}, {10, 0, 8},
                                                  {3, 2, 50},   {10, 10, 3}, {10, 1e6f, 50}};
    for (unsigned radius : {5u, 9u}) {
        const std::vector<node> closed = testing_polylines::disc(radius);
        const unsigned n = unsigned(closed.size() - 1);
        expect_reference_results(closed, {6u, 11u, n / 2, n + 1}, variants);
    }
}

TEST(GrandSearch, IrregularOutlinesGiveTheReferenceSearchResultsToo)
{
    // Outlines with bays and corners, partly and fully estimated: the speed-ups
    // of the search (bounds, skipped candidates) must not change a bit.
    const std::vector<std::vector<std::pair<unsigned, unsigned>>> shapes = {
        {{3, 9}, {2, 11}, {4, 12}, {1, 6}, {2, 8}, {5, 9}},
        {{1, 14}, {1, 4}, {1, 4}, {2, 15}, {9, 15}, {9, 12}},
        {{6, 8}, {4, 10}, {2, 12}, {1, 13}, {2, 12}, {4, 10}, {6, 8}},
    };
    const std::vector<search_variant> variants = {{10, 10, 50}, {0, 1, 50}, {10, 0, 6}, {100, 3, 50}, {0.5f, 30, 4}};
    for (const auto& spans : shapes) {
        const std::vector<node> closed = testing_polylines::outline_of_spans(1, spans);
        const unsigned n = unsigned(closed.size() - 1);
        expect_reference_results(closed, {9u, n / 3, n + 1}, variants);
    }
}

// Estimations stopped far short of the whole outline, as vexilo-fit --all
// stops them: the search then keeps its bounds of the uncovered rest only
// per run of lengths, and each end node goes through the layers on its own.
TEST(GrandSearch, StoppedEstimationsOfLongerOutlinesGiveTheReferenceResults)
{
    const std::vector<search_variant> variants = {{10, 10, 50}, {0, 2, 50}, {10, 1, 12}, {30, 5, 50}};
    expect_reference_results(testing_polylines::disc(20), {12u, 25u, 40u}, variants);
    expect_reference_results(testing_polylines::rectangle(2, 3, 40, 17), {10u, 30u}, variants);
    expect_reference_results(
        testing_polylines::outline_of_spans(1, {{3, 29}, {2, 31}, {4, 12}, {20, 32}, {1, 6}, {22, 30}, {5, 9}}),
        {8u, 16u, 33u}, variants);
}

// Every estimate is the result and tangents of the plain reference piece fit
// (tests/fitting/reference_search.cpp) of that piece.
TEST(GrandSearch, EstimatesAreThoseOfTheReferencePieceFit)
{
    grand_builder b;
    b.reset(testing_polylines::disc(6));
    b.set_params(grand_params<float>());
    estimate_to(b, 14);
    const unsigned n = b.node_count();
    for (unsigned s = 0; s < n; ++s) {
        for (unsigned len = 4; len <= 14; ++len) {
            bezier_piece piece;
            float d = reference::fit_piece(b.doubled_nodes(), {s, s + len}, 1.0f, {10, 0.01f}, piece);
            const piece_estimate& e = b.estimates()[s][len - 4];
            ASSERT_TRUE(same_bits(d, e.discrepancy));
            ASSERT_EQ(piece[1] - piece[0], e.d1);
            ASSERT_EQ(piece[2] - piece[3], e.d2);
        }
    }
}

TEST(GrandSearch, OnePieceCurves)
{
    grand_builder b;
    b.reset(testing_polylines::disc(5));
    grand_params<float> p;
    p.max_junctions = 1;  // one-piece curves only: they need the whole estimation
    b.set_params(p);
    estimate_to(b, 12);
    std::vector<unsigned> j;
    EXPECT_EQ(-1.0f, b.find_junctions(j).cost);
    estimate_fully(b);
    EXPECT_GE(b.find_junctions(j).cost, 0.0f);
    ASSERT_EQ(2u, j.size());
    EXPECT_EQ(j[0] + b.node_count(), j[1]);

    // A junction penalty beyond any loop's cost stops before the first layer.
    p.max_junctions = 50;
    p.junction_penalty = 1e9f;
    b.set_params(p);
    float cost = b.find_junctions(j).cost;
    ASSERT_EQ(2u, j.size());
    const piece_estimate& loop = b.estimates()[j[0]][b.node_count() + 1 - 4];
    EXPECT_EQ(loop.discrepancy + bend_penalty(10.0f, loop.d2, loop.d1), cost);
}

TEST(GrandSearch, MaxJunctionsZeroFails)
{
    grand_builder b;
    b.reset(testing_polylines::disc(4));
    grand_params<float> p;
    p.max_junctions = 0;
    b.set_params(p);
    estimate_fully(b);
    std::vector<unsigned> j;
    EXPECT_EQ(-1.0f, b.find_junctions(j).cost);
    std::vector<real_point> curve{{1, 1}};
    EXPECT_EQ(-1.0f, b.render(curve));
    EXPECT_TRUE(curve.empty());
}

TEST(GrandSearch, PiecesOfExactlyFourNodesAroundTheCurveAreNotConsidered)
{
    // A 3 x 3 square has N = 12 = 3 + 3 * 3: four pieces of four nodes (one
    // per side) would close it, but that layer is never built.
    grand_builder b;
    b.reset(testing_polylines::rectangle(1, 1, 3, 3));
    grand_params<float> p;
    p.junction_penalty = 0;
    p.sharp_bend_penalty = 0;
    b.set_params(p);
    estimate_fully(b);
    std::vector<unsigned> j;
    ASSERT_GE(b.find_junctions(j).cost, 0.0f);
    EXPECT_LE(j.size(), 4u);
}

TEST(GrandSearch, WithoutEstimationJunctionsAreEvenlySpaced)
{
    grand_builder b;
    b.reset(testing_polylines::rectangle(0, 0, 7, 8));  // N = 30
    grand_params<float> p;
    p.estimation = false;
    p.rendering_same_as_estimation = true;
    b.set_params(p);
    std::vector<unsigned> j;
    const junction_search_result<float> found = b.find_junctions(j);
    EXPECT_EQ(0.0f, found.cost);
    EXPECT_EQ((std::vector<unsigned>{0, 3, 6, 9, 12, 15, 18, 21, 24, 27, 30}), j);
    // No estimates to reuse: the result says so, the caller's parameters stay.
    EXPECT_FALSE(found.estimates_apply);
    EXPECT_TRUE(b.params().rendering_same_as_estimation);

    quiet_clog quiet;
    std::vector<real_point> curve;
    EXPECT_EQ(0.0f, b.render(curve));
    EXPECT_EQ(31u, curve.size());
    std::vector<bool> flags(10, true);
    b.smooth_junctions(j, flags);
    EXPECT_EQ(std::vector<bool>(10, false), flags);
}

TEST(GrandSearch, SmoothJunctionsAtThirtyAndSixtyDegrees)
{
    // Straight runs of evenly spaced nodes: (0,0) to (60,0) in steps of 6,
    // then 10 steps of (7,4) (29.7 degrees), 10 of (-4,7) (60.3 degrees
    // further), then back to the start in steps of (-3,-11)... whatever
    // closes: only the first two junctions are looked at.
    std::vector<node> closed;
    auto run = [&](int dx, int dy, int steps) {
        for (int i = 0; i < steps; ++i) {
            node last = closed.back();
            closed.push_back({(unsigned short)(last.x + dx), (unsigned short)(last.y + dy)});
        }
    };
    closed.push_back({40, 0});
    run(6, 0, 10);     // to (100, 0)
    run(7, 4, 10);     // to (170, 40)
    run(-4, 7, 10);    // to (130, 110)
    run(-9, -11, 10);  // to (40, 0)
    ASSERT_EQ(closed.front(), closed.back());
    grand_builder b;
    b.reset(closed);
    b.set_params(grand_params<float>());
    estimate_fully(b);
    std::vector<bool> flags(4);
    b.smooth_junctions({0, 10, 20, 30, 40}, flags);
    EXPECT_TRUE(flags[1]);   // 29.7 degrees
    EXPECT_FALSE(flags[2]);  // 60.3 degrees
}

TEST(Render, DiscOutlineGivesAClosedCurveNearThePolyline)
{
    quiet_clog quiet;
    const std::vector<node> closed = testing_polylines::disc(20);
    std::vector<real_point> first;
    for (int run = 0; run < 2; ++run) {
        grand_builder b;
        b.reset(closed);
        b.set_params(grand_params<float>());
        estimate_fully(b);
        std::vector<real_point> curve;
        float cost = b.render(curve);
        ASSERT_GT(cost, 0.0f);
        ASSERT_GE(curve.size(), 4u);
        ASSERT_EQ(1u, curve.size() % 3);
        EXPECT_EQ(curve.front(), curve.back());
        for (size_t k = 0; k + 3 < curve.size(); k += 3) {
            bezier_piece piece = {curve[k], curve[k + 1], curve[k + 2], curve[k + 3]};
            for (int i = 0; i <= 20; ++i) {
                real_point p;
                evaluate(piece, i / 20.0f, &p);
                EXPECT_LE(distance_to(closed, p), 1.0f) << "piece " << k / 3 << " t=" << i / 20.0f;
            }
        }
        if (run == 0)
            first = curve;
        else
            EXPECT_EQ(first, curve);
    }
}

TEST(Render, ReusingEstimatesTakesTheEstimatedControlPoints)
{
    grand_builder b;
    b.reset(testing_polylines::disc(6));
    grand_params<float> p;
    p.rendering_same_as_estimation = true;
    p.fit_whole_poly_bezier = false;
    b.set_params(p);
    estimate_fully(b);
    std::vector<unsigned> j;
    b.find_junctions(j);
    std::vector<real_point> curve;
    b.render(curve);
    ASSERT_EQ(3 * (j.size() - 1) + 1, curve.size());
    const unsigned n = b.node_count();
    for (size_t k = 0; k + 1 < j.size(); ++k) {
        const piece_estimate* e = b.estimated_piece(j[k] % n, j[k + 1] - j[k] + 1, unsigned(k));
        EXPECT_EQ(to_real(b.doubled_nodes()[j[k]]) + e->d1, curve[3 * k + 1]);
        EXPECT_EQ(to_real(b.doubled_nodes()[j[k + 1]]) + e->d2, curve[3 * k + 2]);
    }
}

namespace {

// Candidate nodes of the polyline within `radius` of `centre`.
std::vector<unsigned> nodes_near(const std::vector<node>& closed, real_point centre, float radius)
{
    std::vector<unsigned> out;
    for (unsigned i = 0; i + 1 < closed.size(); ++i) {
        float dx = closed[i].x - centre.x, dy = closed[i].y - centre.y;
        if (double(dx) * dx + double(dy) * dy <= double(radius) * radius) out.push_back(i);
    }
    return out;
}

}  // namespace

TEST(GuidedSearch, OneAreaTakesTheCheapestLoop)
{
    const std::vector<node> closed = testing_polylines::disc(6);
    std::vector<unsigned> area = nodes_near(closed, {7, 1}, 2.5f);
    ASSERT_GE(area.size(), 2u);
    guided_builder g;
    g.set(closed, {std::cref(area)}, {true});
    g.set_params(builder_params<float>());
    g.estimate();
    const unsigned n = g.node_count();
    float best = 1e30f;
    unsigned chosen = 0;
    for (unsigned a = 0; a < area.size(); ++a) {
        const piece_estimate& e = g.table(0).at(a, a);
        float cost = e.discrepancy + bend_penalty(10.0f, e.d2, e.d1);
        if (cost < best) {
            best = cost;
            chosen = area[a];
        }
        for (unsigned b = 0; b < area.size(); ++b) {
            if (b != a) {
                EXPECT_EQ(-1.0f, g.table(0).at(b, a).discrepancy);
            }
        }
    }
    std::vector<unsigned> j;
    EXPECT_EQ(best, g.find_junctions(j).cost);
    EXPECT_EQ((std::vector<unsigned>{chosen, chosen + n}), j);
}

TEST(GuidedSearch, ChoosesTheCheapestCombination)
{
    // Brute force over every combination of candidates, with the bend
    // penalty charged at smooth areas only.
    const std::vector<node> closed = testing_polylines::disc(9);
    const unsigned n = unsigned(closed.size() - 1);
    std::vector<std::vector<unsigned>> areas = {nodes_near(closed, {10, 1}, 2.2f), nodes_near(closed, {18, 14}, 2.2f),
                                                nodes_near(closed, {3, 15}, 2.2f)};
    std::sort(areas.begin(), areas.end());  // in order along the polyline
    for (unsigned count : {2u, 3u}) {
        for (bool corner_middle : {false, true}) {
            std::vector<guided_builder::node_list_ref> refs;
            for (unsigned i = 0; i < count; ++i) refs.push_back(std::cref(areas[i]));
            std::vector<bool> smooth(count, true);
            smooth[1] = !corner_middle;
            guided_builder g;
            g.set(closed, refs, smooth);
            g.set_params(builder_params<float>());
            g.estimate();
            std::vector<unsigned> j;
            float cost = g.find_junctions(j).cost;
            ASSERT_GT(cost, 0.0f);

            float best = 1e30f;
            std::vector<unsigned> pick(count, 0), best_pick;
            for (;;) {
                float sum = 0;
                for (unsigned i = 0; i < count; ++i) {
                    const piece_estimate& e = g.table(i).at(pick[(i + 1) % count], pick[i]);
                    const piece_estimate& next =
                        g.table((i + 1) % count).at(pick[(i + 2) % count], pick[(i + 1) % count]);
                    sum += e.discrepancy;
                    if (smooth[(i + 1) % count]) sum += bend_penalty(10.0f, e.d2, next.d1);
                }
                if (sum < best - 1e-4f) {
                    best = sum;
                    best_pick = pick;
                }
                unsigned i = 0;
                while (i < count && ++pick[i] == refs[i].get().size()) pick[i++] = 0;
                if (i == count) break;
            }
            EXPECT_NEAR(best, cost, 1e-3f * best);
            ASSERT_EQ(count + 1, j.size());
            for (unsigned i = 0; i < count; ++i) EXPECT_EQ(areas[i][best_pick[i]], j[i] % n);
            EXPECT_EQ(j[0] + n, j[count]);

            quiet_clog quiet;
            std::vector<real_point> curve;
            EXPECT_EQ(cost, g.render(curve));
            EXPECT_EQ(3u * count + 1, curve.size());
        }
    }
}

TEST(GuidedSearch, WithoutEstimationTakesTheMiddleCandidates)
{
    const std::vector<node> closed = testing_polylines::disc(9);
    const std::vector<unsigned> a = {2, 3, 4, 5}, b = {20, 21, 22}, c = {40, 41};
    guided_builder g;
    g.set(closed, {std::cref(a), std::cref(b), std::cref(c)}, {true, true, true});
    builder_params<float> p;
    p.estimation = false;
    p.rendering_same_as_estimation = true;
    g.set_params(p);
    std::vector<unsigned> j;
    const junction_search_result<float> found = g.find_junctions(j);
    EXPECT_EQ(0.0f, found.cost);
    EXPECT_EQ((std::vector<unsigned>{4, 21, 41, 4 + g.node_count()}), j);
    EXPECT_FALSE(found.estimates_apply);
    EXPECT_TRUE(g.params().rendering_same_as_estimation);
}

TEST(GuidedSearch, PiecesShorterThanFourNodesAreUnusable)
{
    const std::vector<node> closed = testing_polylines::disc(6);
    const std::vector<unsigned> a = {10}, b = {12};  // the piece 10 .. 12 has 3 nodes
    guided_builder g;
    g.set(closed, {std::cref(a), std::cref(b)}, {true, true});
    g.set_params(builder_params<float>());
    g.estimate();
    EXPECT_EQ(-1.0f, g.table(0).at(0, 0).discrepancy);
    std::vector<unsigned> j;
    EXPECT_EQ(-1.0f, g.find_junctions(j).cost);
    EXPECT_TRUE(j.empty());
}

TEST(GuidedSearch, InterleavedAreasOnlyGiveCurvesThatGoAroundOnce)
{
    // Each area covers two stretches of the outline, so that candidates of
    // neighbouring areas interleave along it.
    const std::vector<node> closed = testing_polylines::disc(8);
    const unsigned n = unsigned(closed.size() - 1);
    ASSERT_EQ(64u, n);
    // The middle candidates 30, 9, 35 would wind around twice.
    const std::vector<unsigned> a = {1, 30, 31}, b = {8, 9, 40}, c = {20, 35, 50};
    for (bool estimation : {true, false}) {
        guided_builder g;
        g.set(closed, {std::cref(a), std::cref(b), std::cref(c)}, {true, true, true});
        builder_params<float> p;
        p.estimation = estimation;
        g.set_params(p);
        g.estimate();
        std::vector<unsigned> j;
        float cost = g.find_junctions(j).cost;
        quiet_clog quiet;
        std::vector<real_point> curve;
        EXPECT_EQ(cost, g.render(curve));
        if (cost < 0) continue;
        ASSERT_EQ(4u, j.size());
        for (size_t i = 1; i < j.size(); ++i) EXPECT_LT(j[i - 1], j[i]);
        EXPECT_EQ(j[0] + n, j[3]);
        EXPECT_LT(j[0], n);
        EXPECT_EQ(10u, curve.size());
    }
}

// An estimation known to stop at a length makes room for exactly that at
// once, and estimates as without it.
TEST(GrandSearch, RoomReservedForAStoppedEstimationIsAllItTakes)
{
    grand_builder plain, reserved;
    for (grand_builder* b : {&plain, &reserved}) {
        b->reset(testing_polylines::disc(9));
        b->set_params(grand_params<float>());
    }
    ASSERT_TRUE(reserved.reserve_length(20));
    estimate_to(plain, 20);
    estimate_to(reserved, 20);
    for (unsigned s = 0; s < reserved.node_count(); ++s) {
        EXPECT_EQ(reserved.estimates()[s].capacity(), 17u);
        ASSERT_EQ(reserved.estimates()[s].size(), plain.estimates()[s].size());
        for (size_t i = 0; i < plain.estimates()[s].size(); ++i)
            EXPECT_TRUE(same_bits(plain.estimates()[s][i].discrepancy, reserved.estimates()[s][i].discrepancy));
    }
    // Room beyond the whole outline is not taken.
    grand_builder whole;
    whole.reset(testing_polylines::disc(2));
    ASSERT_TRUE(whole.reserve_length(1000));
    EXPECT_EQ(whole.estimates()[0].capacity(), whole.node_count() - 2);
}
