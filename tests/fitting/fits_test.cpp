// The piece fit, the whole-curve fit and their helpers: the pull, the curve
// evaluation. The fits are compared bit for bit with the plain reference
// fit in tests/fitting/reference_search.cpp and with the plain sweep of the
// engine (fit_piece_plain).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "fitting/bezier_piece.h"
#include "fitting/grand_poly_bezier_builder.h"
#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
#include "fitting/sample_pull.h"
#include "fitting/whole_fit.h"
#include "tests/fitting/reference_search.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;

namespace {

std::vector<node> doubled(const std::vector<node>& closed)
{
    std::vector<node> out(closed.begin(), closed.end() - 1);
    out.insert(out.end(), closed.begin(), closed.end() - 1);
    return out;
}

bool same_bits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// A closed polyline with diagonal and repeated steps, so that pulls meet
// crossings in every direction, parallel segments and zero-length segments.
std::vector<node> irregular_polyline(unsigned seed, unsigned count)
{
    std::mt19937 random(seed);
    std::vector<node> closed;
    int x = 40, y = 40;
    for (unsigned i = 0; i < count; ++i) {
        closed.push_back({static_cast<unsigned short>(x), static_cast<unsigned short>(y)});
        x = std::min(80, std::max(0, x + int(random() % 5) - 2));
        y = std::min(80, std::max(0, y + int(random() % 5) - 2));
    }
    closed.push_back(closed.front());
    return closed;
}

}  // namespace

TEST(FitPiece, CollinearNodesFitAtOnceWithInnerPointsAtThirds)
{
    std::vector<node> line;
    for (unsigned short x = 0; x < 10; ++x) line.push_back({x, 5});
    bezier_piece piece;
    polyline_samples samples;
    EXPECT_EQ(0.0f, fit_piece(line, {0, 10}, 2.0f, {10, 0.01f}, piece, samples));
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
    polyline_samples samples;
    EXPECT_EQ(0.0f, fit_piece(poly, {3, 3 + 11}, 2.0f, {0, 0.01f}, piece, samples));
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
    EXPECT_EQ(1.0f / 3.0f, basis.step);  // inner parameters 1/3 and 2/3

    const std::vector<node> poly = doubled(testing_polylines::disc(5));
    bezier_piece piece;
    polyline_samples samples;
    float d = fit_piece(poly, {2, 6}, 1.0f, {10, 0.01f}, piece, samples);
    EXPECT_EQ(4u, samples.points.size());
    EXPECT_TRUE(std::isfinite(d));
}

TEST(FitPiece, OversampleBelowOneStillUsesFourSamplesAndStaysFinite)
{
    const std::vector<node> poly = doubled(testing_polylines::disc(8));
    for (float oversample : {0.5f, 0.1f, 0.0f, -1.0f, std::nanf("")}) {
        bezier_piece piece;
        polyline_samples samples;
        float d = fit_piece(poly, {0, 9}, oversample, {10, 0.01f}, piece, samples);
        EXPECT_EQ(4u, samples.points.size()) << oversample;
        EXPECT_TRUE(std::isfinite(d)) << oversample;
        for (const real_point& p : piece) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << oversample;
    }
}

// The engine's fit against the plain reference fit of
// tests/fitting/reference_search.cpp, which does the per-sample arithmetic of
// every iteration without a shared basis.
TEST(FitPiece, SharedBasisGivesTheBitsOfTheReferenceFit)
{
    const std::vector<node> poly = doubled(testing_polylines::disc(12));
    const unsigned n = unsigned(poly.size() / 2);
    for (float oversample : {1.0f, 2.0f, 1.7f, 3.0f}) {
        for (unsigned length : {4u, 5u, 9u, 23u, 40u, n / 2, n + 1}) {
            for (unsigned a : {0u, 7u, n - 1}) {
                bezier_piece fast, slow;
                polyline_samples samples;
                float df = fit_piece(poly, {a, a + length}, oversample, {10, 0.01f}, fast, samples);
                float ds = reference::fit_piece(poly, {a, a + length}, oversample, {10, 0.01f}, slow);
                ASSERT_TRUE(same_bits(df, ds)) << length << " from " << a << " at " << oversample;
                for (int i = 0; i < 4; ++i)
                    ASSERT_TRUE(same_bits(fast[i].x, slow[i].x) && same_bits(fast[i].y, slow[i].y));
            }
        }
    }
}

// The fit on the polyline converted once (the eight-lane sweeps where the
// processor has AVX2) and the estimate made from it must give the bits of
// the plain sweep on the node array (fit_piece_plain): result, control
// points, and every sample and position it leaves, at both ends of the
// doubled array and with sample counts that leave partial blocks of lanes.
TEST(FitPiece, ConvertedPolylineGivesTheBitsOfThePlainFit)
{
    const std::vector<std::vector<node>> shapes = {testing_polylines::disc(12), irregular_polyline(7, 90),
                                                   irregular_polyline(11, 41)};
    for (const std::vector<node>& closed : shapes) {
        const std::vector<node> poly = doubled(closed);
        real_polyline real;
        real.assign(poly);
        const unsigned n = unsigned(poly.size() / 2);
        for (float oversample : {0.5f, 1.0f, 1.7f, 2.0f, 3.0f}) {
            for (unsigned length : {4u, 5u, 9u, 10u, 23u, n / 2, n + 1}) {
                piece_basis basis;
                basis.build(length, oversample);
                for (unsigned a : {0u, 3u, n - 1, 2 * n - length}) {
                    for (unsigned iterations : {0u, 1u, 10u, 40u}) {
                        bezier_piece plain, fast;
                        polyline_samples ps, fs, qs;
                        const fit_limits limits = {iterations, 0.01f};
                        const float dp = fit_piece_plain(poly, a, basis, limits, plain, ps);
                        const float df = fit_piece(real, a, basis, limits, fast, fs);
                        const piece_estimate quick = estimate_piece(real, a, basis, limits, qs);
                        const std::string where = std::to_string(length) + " nodes from " + std::to_string(a) + " at " +
                                                  std::to_string(oversample) + ", " + std::to_string(iterations) +
                                                  " iterations";
                        ASSERT_TRUE(same_bits(dp, df) && same_bits(dp, quick.discrepancy)) << where;
                        for (int i = 0; i < 4; ++i)
                            ASSERT_TRUE(same_bits(plain[i].x, fast[i].x) && same_bits(plain[i].y, fast[i].y)) << where;
                        const real_vector d1 = plain[1] - plain[0], d2 = plain[2] - plain[3];
                        ASSERT_TRUE(same_bits(d1.x, quick.d1.x) && same_bits(d1.y, quick.d1.y)) << where;
                        ASSERT_TRUE(same_bits(d2.x, quick.d2.x) && same_bits(d2.y, quick.d2.y)) << where;
                        ASSERT_EQ(ps.points.size(), fs.points.size()) << where;
                        for (size_t j = 0; j < ps.points.size(); ++j) {
                            ASSERT_TRUE(same_bits(ps.points[j].x, fs.points[j].x) &&
                                        same_bits(ps.points[j].y, fs.points[j].y))
                                << where << ", sample " << j;
                            ASSERT_EQ(ps.positions[j].kind, fs.positions[j].kind) << where << ", sample " << j;
                            ASSERT_EQ(ps.positions[j].node, fs.positions[j].node) << where << ", sample " << j;
                        }
                    }
                }
            }
        }
    }
}

// At extreme oversampling far along a long outline, the last inner samples'
// node offsets round up onto the piece's last node; the fit on the converted
// polyline and the plain sweep both keep them on its last segment.
TEST(FitPiece, ConvertedPolylineAtExtremeOversampling)
{
    const std::vector<node> poly = doubled(testing_polylines::rectangle(0, 0, 20000, 10));
    real_polyline real;
    real.assign(poly);
    const unsigned n = unsigned(poly.size() / 2);
    for (unsigned length : {4u, 5u}) {
        piece_basis basis;
        basis.build(length, 1e6f);  // the most samples a piece may get
        for (unsigned a : {n + 7, 2 * n - length}) {
            bezier_piece plain, fast;
            polyline_samples ps, fs;
            const float dp = fit_piece_plain(poly, a, basis, {3, 0.0f}, plain, ps);
            const float df = fit_piece(real, a, basis, {3, 0.0f}, fast, fs);
            ASSERT_TRUE(same_bits(dp, df));
            for (int i = 0; i < 4; ++i)
                ASSERT_TRUE(same_bits(plain[i].x, fast[i].x) && same_bits(plain[i].y, fast[i].y));
            ASSERT_EQ(ps.points.size(), fs.points.size());
            for (size_t j = 0; j < ps.points.size(); ++j) {
                ASSERT_TRUE(same_bits(ps.points[j].x, fs.points[j].x) && same_bits(ps.points[j].y, fs.points[j].y))
                    << j;
                ASSERT_EQ(ps.positions[j].node, fs.positions[j].node) << j;
                ASSERT_LT(fs.positions[j].node + fs.positions[j].kind, a + length) << j;
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

// Pulling one sample on a straight run (0,2) (2,2) (4,2) or a roof (0,0)
// (2,2) (4,0), within nodes 0 .. 2. The sample starts where its position
// says (a segment's middle, or the node).
TEST(PullToPolyline, OneSample)
{
    const std::vector<node> run = {{0, 2}, {2, 2}, {4, 2}};
    const std::vector<node> roof = {{0, 0}, {2, 2}, {4, 0}};
    struct pull_case {
        const char* what;
        const std::vector<node>& polyline;
        polyline_position from;
        real_point b;  // the curve point and its derivative
        real_vector db;
        polyline_position to;
        real_point sample;  // where the sample ends
    };
    const pull_case cases[] = {
        {"on a segment, crossing at s = 0: snaps to its node", run, {1, 0}, {0, 3}, {1, 0}, {0, 0}, {0, 2}},
        {"on a segment, crossing at s = 1: snaps to its far node", run, {1, 0}, {2, 3}, {1, 0}, {0, 1}, {2, 2}},
        {"on a segment, crossing inside it", run, {1, 0}, {0.5f, 7}, {1, 0}, {1, 0}, {0.5f, 2}},
        {"at a node, equally near crossings on both sides: the previous segment",
         roof,
         {0, 1},
         {2, 1},
         {0, 1},
         {1, 0},
         {1, 1}},
        {"at a node, crossings exactly at it (s = 0) on both sides: nothing moves",
         run,
         {0, 1},
         {2, 3},
         {1, 0},
         {0, 1},
         {2, 2}},
        {"at a node, crossing exactly at the far node (s = 1): the segment, on its far node",
         run,
         {0, 1},
         {4, 3},
         {1, 0},
         {1, 1},
         {4, 2}},
        {"at a node, crossing beyond the far node: half a segment at most",
         run,
         {0, 1},
         {9, 3},
         {1, 0},
         {1, 1},
         {3, 2}},
        {"at the first node of the range: one candidate only", run, {0, 0}, {-1, 3}, {1, 0}, {0, 0}, {0, 2}},
    };
    for (const pull_case& c : cases) {
        polyline_position position = c.from;
        const real_point at = to_real(c.polyline[c.from.node]);
        real_point sample = c.from.kind == 0 ? at : (at + to_real(c.polyline[c.from.node + 1])) * 0.5f;
        pull_to_polyline(position, sample, c.polyline, {0, 3}, c.b, c.db);
        EXPECT_EQ(c.to.kind, position.kind) << c.what;
        EXPECT_EQ(c.to.node, position.node) << c.what;
        EXPECT_EQ(c.sample, sample) << c.what;
    }
}

// Pulling many samples at once (the eight-lane pull where the processor has
// AVX2) must move each exactly as the plain pull of one sample moves it.
// Small whole-number curve points and derivatives on a polyline with
// diagonal, repeated and parallel steps meet every boundary of the pull
// often: crossings at exactly s = 0 and s = 1, equally near candidates,
// parallel lines, a determinant of exactly the float epsilon and just below.
TEST(PullToPolyline, ManyAtOnceMoveEachAsAlone)
{
    const std::vector<node> poly = doubled(irregular_polyline(3, 60));
    real_polyline real;
    real.assign(poly);
    const unsigned total = unsigned(poly.size());
    const float eps = std::numeric_limits<float>::epsilon();
    const float slopes[] = {0, 1, -1, 2, -2, 0.5f, eps, -eps, std::nextafter(eps, 0.0f), 3};
    std::mt19937 random(5);
    for (int round = 0; round < 40; ++round) {
        const unsigned first = round % 4 == 0 ? 0 : unsigned(random() % (total / 2));
        const unsigned end = round % 4 == 1 ? total : first + 4 + unsigned(random() % (total / 2 - 4));
        const size_t count = 1 + random() % 300;  // partial blocks of eight too
        std::vector<polyline_position> positions(count);
        std::vector<real_point> samples(count), points(count);
        std::vector<real_vector> derivatives(count);
        for (size_t i = 0; i < count; ++i) {
            const unsigned kind = unsigned(random() % 2);
            const unsigned k = first + unsigned(random() % (end - first - kind));  // a segment needs its far node
            positions[i] = {kind, k};
            samples[i] = kind == 0 ? to_real(poly[k]) : (to_real(poly[k]) + to_real(poly[k + 1])) * 0.5f;
            points[i] =
                to_real(poly[k]) + real_vector{float(int(random() % 7) - 3) / 2, float(int(random() % 7) - 3) / 2};
            derivatives[i] = {slopes[random() % 10], slopes[random() % 10]};
        }
        std::vector<polyline_position> alone_positions = positions;
        std::vector<real_point> alone_samples = samples;
        for (size_t i = 0; i < count; ++i)
            pull_to_polyline(alone_positions[i], alone_samples[i], poly, {first, end}, points[i], derivatives[i]);
        polyline_samples many = {samples, positions};
        pull_to_polyline(many, real, {first, end}, points, derivatives);
        samples = many.points;
        positions = many.positions;
        for (size_t i = 0; i < count; ++i) {
            ASSERT_EQ(alone_positions[i].kind, positions[i].kind) << "round " << round << ", sample " << i;
            ASSERT_EQ(alone_positions[i].node, positions[i].node) << "round " << round << ", sample " << i;
            ASSERT_TRUE(same_bits(alone_samples[i].x, samples[i].x) && same_bits(alone_samples[i].y, samples[i].y))
                << "round " << round << ", sample " << i;
        }
    }
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
    while (!builder.fully_estimated()) builder.estimation_step();
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
    std::vector<real_point> curve{to_real(poly[0])};
    polyline_samples samples, all;
    for (size_t k = 0; k + 1 < junctions.size(); ++k) {
        bezier_piece piece;
        fit_piece(poly, {junctions[k], junctions[k + 1] + 1}, 2.0f, {5, 0.0f}, piece, samples);
        curve.insert(curve.end(), {piece[1], piece[2], piece[3]});
        all.points.insert(all.points.end(), samples.points.begin(), samples.points.end() - 1);
        all.positions.insert(all.positions.end(), samples.positions.begin(), samples.positions.end() - 1);
    }
    // Position 0 lies below N/2 before the fit.
    ASSERT_EQ(0u, all.positions[0].node);
    const std::vector<bool> smooth = {true, true, true};
    float r = fit_whole({n, poly, junctions, smooth}, 2.0f, {3, 0.0f}, curve, all);
    EXPECT_GE(r, 0.0f);
    for (const polyline_position& p : all.positions) {
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
    // A piece of N + 1 nodes needs 2N + 1 samples.
    polyline_samples samples = {std::vector<real_point>(3, real_point{5, 5}),
                                std::vector<polyline_position>(3, polyline_position{0, 0})};
    const std::vector<unsigned> loop = {0, n}, no_pieces = {0};
    const std::vector<bool> corner = {false}, no_flags;
    EXPECT_EQ(-1.0f, fit_whole({n, poly, loop, corner}, 2.0f, {10, 0.0f}, curve, samples));
    EXPECT_EQ(before, curve);
    // A curve without pieces has nothing to fit either.
    std::vector<real_point> point = {{1, 1}};
    EXPECT_EQ(-1.0f, fit_whole({n, poly, no_pieces, no_flags}, 2.0f, {10, 0.0f}, point, samples));
}
