// The piece fit, the whole-curve fit and their helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "bezier_fit.h"
#include "grand_poly_bezier_builder.h"
#include "reference_search.h"
#include "test_polylines.h"

using namespace outline;

namespace {

std::vector<node> doubled(const std::vector<node>& closed)
{
    std::vector<node> out(closed.begin(), closed.end() - 1);
    out.insert(out.end(), closed.begin(), closed.end() - 1);
    return out;
}

bool same_bits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(FitPiece, CollinearNodesFitAtOnceWithInnerPointsAtThirds)
{
    std::vector<node> line;
    for (unsigned short x = 0; x < 10; ++x)
        line.push_back({x, 5});
    bezier_piece piece;
    std::vector<real_point> samples;
    std::vector<polyline_position> positions;
    EXPECT_EQ(0.0f, fit_piece(line, 0, 10, 10, 0.01f, 2.0f, piece, samples, positions));
    EXPECT_NEAR(3.0f, piece[1].x, 1e-4);
    EXPECT_NEAR(6.0f, piece[2].x, 1e-4);
    EXPECT_NEAR(5.0f, piece[1].y, 1e-4);
    EXPECT_NEAR(5.0f, piece[2].y, 1e-4);
    EXPECT_EQ((real_point{0, 5}), piece[0]);
    EXPECT_EQ((real_point{9, 5}), piece[3]);
}

TEST(FitPiece, NoIterationsKeepsTheStartingControlPoints)
{
    const std::vector<node> poly = doubled(testing_polylines::disc(6));
    bezier_piece piece;
    std::vector<real_point> samples;
    std::vector<polyline_position> positions;
    EXPECT_EQ(0.0f, fit_piece(poly, 3, 3 + 11, 0, 0.01f, 2.0f, piece, samples, positions));
    EXPECT_EQ(to_real(poly[3]), piece[0]);
    EXPECT_EQ(to_real(poly[3 + 11 / 3]), piece[1]);
    EXPECT_EQ(to_real(poly[3 + 22 / 3]), piece[2]);
    EXPECT_EQ(to_real(poly[13]), piece[3]);
}

TEST(FitPiece, FourNodesAtOversampleOneGiveTwoInnerSamplesAtThirds)
{
    piece_basis basis;
    basis.build(4, 1.0f);
    EXPECT_EQ(4u, basis.samples);
    EXPECT_EQ(1.0f / 3.0f, basis.step);
    // Inner parameters 1/3 and 2/3: the curve weights say so.
    EXPECT_FLOAT_EQ(3 * (2.0f / 3) * (2.0f / 3) * (1.0f / 3), basis.curve[1].b1);
    EXPECT_FLOAT_EQ(3 * (1.0f / 3) * (2.0f / 3) * (2.0f / 3), basis.curve[2].b2);

    const std::vector<node> poly = doubled(testing_polylines::disc(5));
    bezier_piece piece;
    std::vector<real_point> samples;
    std::vector<polyline_position> positions;
    float d = fit_piece(poly, 2, 6, 10, 0.01f, 1.0f, piece, samples, positions);
    EXPECT_EQ(4u, samples.size());
    EXPECT_TRUE(std::isfinite(d));
}

TEST(FitPiece, OversampleBelowOneStillUsesFourSamplesAndStaysFinite)
{
    const std::vector<node> poly = doubled(testing_polylines::disc(8));
    for (float oversample : {0.5f, 0.1f, 0.0f, -1.0f, std::nanf("")}) {
        bezier_piece piece;
        std::vector<real_point> samples;
        std::vector<polyline_position> positions;
        float d = fit_piece(poly, 0, 9, 10, 0.01f, oversample, piece, samples, positions);
        EXPECT_EQ(4u, samples.size()) << oversample;
        EXPECT_TRUE(std::isfinite(d)) << oversample;
        for (const real_point& p : piece)
            EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << oversample;
    }
}

TEST(FitPiece, SharedBasisGivesTheSameBitsAsThePerSampleArithmetic)
{
    const std::vector<node> poly = doubled(testing_polylines::disc(12));
    const unsigned n = unsigned(poly.size() / 2);
    for (float oversample : {1.0f, 2.0f, 1.7f, 3.0f}) {
        for (unsigned length : {4u, 5u, 9u, 23u, 40u, n / 2, n + 1}) {
            for (unsigned a : {0u, 7u, n - 1}) {
                bezier_piece fast, slow;
                std::vector<real_point> samples;
                std::vector<polyline_position> positions;
                float df = fit_piece(poly, a, a + length, 10, 0.01f, oversample, fast, samples, positions);
                float ds = reference::fit_piece(poly, a, a + length, 10, 0.01f, oversample, slow);
                ASSERT_TRUE(same_bits(df, ds)) << length << " from " << a << " at " << oversample;
                for (int i = 0; i < 4; ++i)
                    ASSERT_TRUE(same_bits(fast[i].x, slow[i].x) && same_bits(fast[i].y, slow[i].y));
            }
        }
    }
}

TEST(Evaluate, EndsAndDerivativeOfAPiece)
{
    bezier_piece p = {real_point{0, 0}, real_point{1, 2}, real_point{3, 2}, real_point{4, 0}};
    real_point b;
    real_vector d;
    float w1, w2;
    evaluate(p, 0.0f, &b, &d, &w1, &w2);
    EXPECT_EQ((real_point{0, 0}), b);
    EXPECT_EQ((real_vector{3, 6}), d);  // 3 (P1 - P0)
    EXPECT_EQ(0.0f, w1);
    evaluate(p, 1.0f, &b, &d);
    EXPECT_EQ((real_point{4, 0}), b);
    EXPECT_EQ((real_vector{3, -6}), d);  // 3 (P3 - P2)
    evaluate(p, 0.5f, &b, nullptr, &w1, &w2);
    EXPECT_EQ((real_point{2, 1.5f}), b);
    EXPECT_EQ(0.375f, w1);
    EXPECT_EQ(0.375f, w2);
}

TEST(IntersectLines, ParallelLinesDoNotCross)
{
    float s = 42;
    EXPECT_FALSE(intersect_lines({0, 0}, {1, 0}, {0, 1}, {2, 0}, s));
    EXPECT_EQ(42.0f, s);
    EXPECT_TRUE(intersect_lines({0, 0}, {2, 0}, {1, 5}, {0, -1}, s));
    EXPECT_EQ(0.5f, s);
}

// Pulling a sample: a straight run (0,2) (2,2) (4,2) and a roof (0,0) (2,2) (4,0).
TEST(PullToPolyline, SampleOnASegmentSnapsToItsEnds)
{
    const std::vector<node> run = {{0, 2}, {2, 2}, {4, 2}};
    polyline_position pos{1, 0};
    real_point sample{1, 2};
    pull_to_polyline(pos, sample, run, 0, 3, {0, 3}, {1, 0});  // normal crosses at s = 0
    EXPECT_EQ(0u, pos.kind);
    EXPECT_EQ(0u, pos.node);
    EXPECT_EQ((real_point{0, 2}), sample);

    pos = {1, 0};
    pull_to_polyline(pos, sample, run, 0, 3, {2, 3}, {1, 0});  // at s = 1
    EXPECT_EQ(0u, pos.kind);
    EXPECT_EQ(1u, pos.node);
    EXPECT_EQ((real_point{2, 2}), sample);

    pos = {1, 0};
    pull_to_polyline(pos, sample, run, 0, 3, {0.5f, 7}, {1, 0});  // inside
    EXPECT_EQ(1u, pos.kind);
    EXPECT_EQ((real_point{0.5f, 2}), sample);
}

TEST(PullToPolyline, SampleAtANode)
{
    const std::vector<node> run = {{0, 2}, {2, 2}, {4, 2}};
    const std::vector<node> roof = {{0, 0}, {2, 2}, {4, 0}};

    // Equally near crossings on both segments: the previous one wins.
    polyline_position pos{0, 1};
    real_point sample{2, 2};
    pull_to_polyline(pos, sample, roof, 0, 3, {2, 1}, {0, 1});
    EXPECT_EQ(1u, pos.kind);
    EXPECT_EQ(0u, pos.node);
    EXPECT_EQ((real_point{1, 1}), sample);

    // Crossings exactly at the node (s = 0) on both sides: nothing moves.
    pos = {0, 1};
    sample = {2, 2};
    pull_to_polyline(pos, sample, run, 0, 3, {2, 3}, {1, 0});
    EXPECT_EQ(0u, pos.kind);
    EXPECT_EQ(1u, pos.node);
    EXPECT_EQ((real_point{2, 2}), sample);

    // Crossing exactly at the far node (s = 1): the segment is taken and the
    // sample lands on its far node.
    pull_to_polyline(pos, sample, run, 0, 3, {4, 3}, {1, 0});
    EXPECT_EQ(1u, pos.kind);
    EXPECT_EQ(1u, pos.node);
    EXPECT_EQ((real_point{4, 2}), sample);

    // Beyond the far node: half a segment at most.
    pos = {0, 1};
    sample = {2, 2};
    pull_to_polyline(pos, sample, run, 0, 3, {9, 3}, {1, 0});
    EXPECT_EQ(1u, pos.kind);
    EXPECT_EQ(1u, pos.node);
    EXPECT_EQ((real_point{3, 2}), sample);

    // The first and last node of the range have one candidate only.
    pos = {0, 0};
    sample = {0, 2};
    pull_to_polyline(pos, sample, run, 0, 3, {-1, 3}, {1, 0});
    EXPECT_EQ(0u, pos.kind);
    EXPECT_EQ(0u, pos.node);
}

namespace {

// Renders the fully estimated outline with the whole-curve fit stopped
// after `iterations`.
std::vector<real_point> render_disc(unsigned radius, unsigned iterations)
{
    grand_poly_bezier_builder<unsigned short, float> builder;
    builder.reset(testing_polylines::disc(radius));
    grand_params<float> p;
    p.rendering_max_iterations = iterations;
    builder.set_params(p);
    while (!builder.fully_estimated())
        builder.estimation_step();
    std::vector<real_point> curve;
    builder.render(curve);
    return curve;
}

}  // namespace

TEST(FitWhole, ClosingPointEqualsTheFirstAfterEveryIteration)
{
    for (unsigned iterations : {1u, 2u, 3u, 7u}) {
        std::vector<real_point> curve = render_disc(7, iterations);
        ASSERT_GE(curve.size(), 4u);
        EXPECT_EQ(1u, curve.size() % 3);
        EXPECT_TRUE(same_bits(curve.front().x, curve.back().x) && same_bits(curve.front().y, curve.back().y))
            << iterations;
    }
}

TEST(FitWhole, KeepsSamplePositionsWithinHalfATurnOfTheMiddle)
{
    const std::vector<node> closed = testing_polylines::disc(6);
    const unsigned n = unsigned(closed.size() - 1);
    const std::vector<node> poly = doubled(closed);
    std::vector<unsigned> junctions = {0, n / 3, 2 * n / 3, n};
    std::vector<real_point> curve{to_real(poly[0])}, samples, all_samples;
    std::vector<polyline_position> positions, all_positions;
    for (size_t k = 0; k + 1 < junctions.size(); ++k) {
        bezier_piece piece;
        fit_piece(poly, junctions[k], junctions[k + 1] + 1, 5, 0.0f, 2.0f, piece, samples, positions);
        curve.insert(curve.end(), {piece[1], piece[2], piece[3]});
        all_samples.insert(all_samples.end(), samples.begin(), samples.end() - 1);
        all_positions.insert(all_positions.end(), positions.begin(), positions.end() - 1);
    }
    // Position 0 lies below N/2 before the fit.
    ASSERT_EQ(0u, all_positions[0].node);
    float r = fit_whole(n, poly, junctions, {true, true, true}, 3, 0.0f, 2.0f, curve, all_samples, all_positions);
    EXPECT_GE(r, 0.0f);
    for (const polyline_position& p : all_positions) {
        EXPECT_GE(p.node, n / 2);
        EXPECT_LT(p.node, n / 2 + n);
    }
}

TEST(FitWhole, InconsistentSamplesAreNotFittedAndLeaveTheCurve)
{
    const std::vector<node> closed = testing_polylines::disc(6);
    const unsigned n = unsigned(closed.size() - 1);
    const std::vector<node> poly = doubled(closed);
    std::vector<real_point> curve = {{1, 1}, {2, 2}, {3, 3}, {1, 1}};
    const std::vector<real_point> before = curve;
    std::vector<real_point> samples(3, real_point{5, 5});  // a piece of N + 1 nodes needs 2N + 1
    std::vector<polyline_position> positions(3, polyline_position{0, 0});
    EXPECT_EQ(-1.0f, fit_whole(n, poly, {0, n}, {false}, 10, 0.0f, 2.0f, curve, samples, positions));
    EXPECT_EQ(before, curve);
    // A curve without pieces has nothing to fit either.
    std::vector<real_point> point = {{1, 1}};
    EXPECT_EQ(-1.0f, fit_whole(n, poly, {0}, {}, 10, 0.0f, 2.0f, point, samples, positions));
}
