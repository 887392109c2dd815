// The signed areas of a closed poly-Bezier and of a node list: known shapes,
// orientation, a curve folded flat, and the exact sum against a fine polygon
// through the curve.
#include <gtest/gtest.h>

#include <cmath>

#include "fitting/curve_area.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;

namespace {

const double pi = 3.14159265358979323846;

// The circle of radius r about (cx, cy) as four cubic pieces, each quarter
// with its inner controls k r along the tangents, starting on the right and
// turning clockwise on the screen (y down).
std::vector<real_point> circle(float cx, float cy, float r)
{
    const float k = 0.5522847498f * r;
    return {{cx + r, cy},     {cx + r, cy + k}, {cx + k, cy + r}, {cx, cy + r},     {cx - k, cy + r},
            {cx - r, cy + k}, {cx - r, cy},     {cx - r, cy - k}, {cx - k, cy - r}, {cx, cy - r},
            {cx + k, cy - r}, {cx + r, cy - k}, {cx + r, cy}};
}

std::vector<real_point> reversed(std::vector<real_point> p)
{
    return {p.rbegin(), p.rend()};
}

// The shoelace sum over the polygon through many points of each piece.
double flattened_area(const std::vector<real_point>& c)
{
    double sum = 0;
    const int steps = 2000;
    for (std::size_t i = 0; i + 3 < c.size(); i += 3) {
        double ax = c[i].x, ay = c[i].y;
        for (int s = 1; s <= steps; ++s) {
            const double u = double(s) / steps, v = 1 - u;
            const double bx =
                v * v * v * c[i].x + 3 * v * v * u * c[i + 1].x + 3 * v * u * u * c[i + 2].x + u * u * u * c[i + 3].x;
            const double by =
                v * v * v * c[i].y + 3 * v * v * u * c[i + 1].y + 3 * v * u * u * c[i + 2].y + u * u * u * c[i + 3].y;
            sum += ax * by - bx * ay;
            ax = bx;
            ay = by;
        }
    }
    return sum / 2;
}

}  // namespace

TEST(CurveArea, CircleOfFourCubicPieces)
{
    // Each quarter encloses (10 + 12 k - 3 k^2) / 20 r^2 with the origin at
    // the centre: 0.02 % more than a quarter of the circle.
    const double k = 0.5522847498, exact = 4 * (10 + 12 * k - 3 * k * k) / 20;
    for (float r : {1.0f, 7.5f, 120.0f}) {
        const double a = curve_area(circle(300, 200, r));
        EXPECT_NEAR(a, exact * r * r, 1e-5 * r * r) << r;
        EXPECT_NEAR(a / (pi * r * r), 1, 3e-4) << r;
        // The other way round, the same area with the other sign.
        EXPECT_NEAR(curve_area(reversed(circle(300, 200, r))), -a, 1e-5 * r * r) << r;
    }
}

TEST(CurveArea, SquareOfStraightPiecesWhereverTheirControlsLie)
{
    // Straight pieces enclose the polygon of their ends, whether the inner
    // controls sit at the thirds, together, or even beyond an end.
    const std::vector<real_point> thirds = {{10, 10}, {12, 10}, {14, 10}, {16, 10}, {16, 12}, {16, 14}, {16, 16},
                                            {14, 16}, {12, 16}, {10, 16}, {10, 14}, {10, 12}, {10, 10}};
    const std::vector<real_point> uneven = {{10, 10}, {13, 10}, {13, 10}, {16, 10}, {16, 17}, {16, 11}, {16, 16},
                                            {15, 16}, {11, 16}, {10, 16}, {10, 9},  {10, 15}, {10, 10}};
    for (const std::vector<real_point>& p : {thirds, uneven}) {
        EXPECT_NEAR(curve_area(p), 36, 1e-9);
        EXPECT_NEAR(curve_area(reversed(p)), -36, 1e-9);
    }
}

TEST(CurveArea, ALoopFoldedFlatAndTooFewPointsEncloseNothing)
{
    // One piece out and back along the same line: what a thin stem becomes
    // when its outline is fitted by a single piece.
    EXPECT_EQ(curve_area({{3, 1}, {3, 21}, {3, 21}, {3, 1}}), 0);
    EXPECT_NEAR(curve_area({{3, 1}, {3.5f, 30}, {3.5f, 30}, {3, 1}}), 0, 1e-9);
    EXPECT_EQ(curve_area({}), 0);
    EXPECT_EQ(curve_area({{1, 2}, {3, 4}, {5, 6}}), 0);
    // A teardrop, one piece with its controls apart, does enclose an area.
    EXPECT_NE(curve_area({{0, 0}, {10, 5}, {5, 10}, {0, 0}}), 0);
}

TEST(CurveArea, ExactSumMatchesAFinePolygonThroughTheCurve)
{
    // A wavy closed curve of three pieces that crosses its own chord.
    const std::vector<real_point> p = {{0, 0},   {30, -20}, {40, 25}, {60, 10},  {70, 5},
                                       {50, 50}, {20, 45},  {5, 40},  {-15, 20}, {0, 0}};
    EXPECT_NEAR(curve_area(p), flattened_area(p), 1e-3);
    EXPECT_NEAR(curve_area(circle(5, 5, 3)), flattened_area(circle(5, 5, 3)), 1e-5);
}

TEST(CurveArea, PolygonAreaCountsTheTracedPixels)
{
    using testing_polylines::disc;
    using testing_polylines::rectangle;
    // The tracer's outlines start down the left side: counterclockwise on
    // the screen, a negative area.
    EXPECT_EQ(polygon_area(rectangle(2, 3, 5, 4)), -20);
    const std::vector<node> forth = rectangle(2, 3, 5, 4);
    EXPECT_EQ(polygon_area({forth.rbegin(), forth.rend()}), 20);
    // The digital disc: the pixels whose centres lie within the radius.
    for (unsigned r : {3u, 10u, 40u}) {
        double pixels = 0;
        for (unsigned y = 0; y < 2 * r + 2; ++y)
            for (unsigned x = 0; x < 2 * r + 2; ++x) {
                const double dx = x + 0.5 - (r + 1), dy = y + 0.5 - (r + 1);
                if (dx * dx + dy * dy <= double(r) * r) ++pixels;
            }
        EXPECT_EQ(polygon_area(disc(r)), -pixels) << r;
    }
    EXPECT_EQ(polygon_area({}), 0);
}
