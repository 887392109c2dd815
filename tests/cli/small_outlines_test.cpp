// The junction penalty of small outlines under --all: a thin stem keeps its
// area, outlines of full length and an explicit --junction-penalty are left
// as they are, and without --all nothing changes.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "contour/write_bmp.h"
#include "fitting/curve_area.h"
#include "tests/cli/run_program.h"
#include "tests/contour/test_masks.h"

namespace {

// A square of 76 x 76 (an outline of 304 nodes) and beside it a stem one
// pixel wide and 20 high (42 nodes), in that order.
std::vector<std::string> stem_and_square()
{
    std::vector<std::string> art(82, std::string(90, '.'));
    for (std::size_t y = 4; y < 24; ++y) art[y][3] = '#';
    for (std::size_t y = 3; y < 79; ++y)
        for (std::size_t x = 10; x < 86; ++x) art[y][x] = '#';
    return art;
}

std::string mask_file(const std::vector<std::string>& art, const std::string& name)
{
    const std::string path = test_masks::temp_path(name);
    img::write_bmp(path, test_masks::from_art(art));
    return path;
}

// The control points of each block of the output, blocks separated by an
// empty line.
std::vector<std::vector<outline::real_point>> curves_of(const std::string& text)
{
    std::vector<std::vector<outline::real_point>> out(1);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty()) {
            out.emplace_back();
            continue;
        }
        std::istringstream xy(line);
        float x = 0, y = 0;
        xy >> x >> y;
        out.back().push_back({x, y});
    }
    return out;
}

std::size_t pieces(const std::vector<outline::real_point>& curve)
{
    return (curve.size() - 1) / 3;
}

}  // namespace

TEST(SmallOutlines, AThinStemKeepsItsAreaUnderAll)
{
    const std::string m = mask_file(stem_and_square(), "stem.bmp");
    // Pieces of up to 50 nodes (the stem's whole outline in one piece
    // among them) keep it quick.
    const run_result r = run_vexilo_fit({"--all", "--max-length=50", m});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::vector<outline::real_point>> curves = curves_of(r.out);
    ASSERT_EQ(curves.size(), 2u) << r.out;
    // The stem's 20 pixels are enclosed to within a tenth (the pieces round
    // its ends off).
    EXPECT_NEAR(std::abs(outline::curve_area(curves[1])), 20, 2) << r.out;
    EXPECT_GE(pieces(curves[1]), 2u);
    EXPECT_NEAR(std::abs(outline::curve_area(curves[0])), 76 * 76, 76 * 76 * 0.01) << r.out;

    // With the whole penalty on the stem, as an explicit --junction-penalty
    // of the default puts it, the stem is a single piece folded flat: no
    // area, nothing of it in a filled drawing. The square, of more than
    // 300 nodes, gets the same curve either way.
    const run_result whole = run_vexilo_fit({"--all", "--max-length=50", "--junction-penalty=10", m});
    ASSERT_EQ(whole.status, 0) << whole.err;
    const std::vector<std::vector<outline::real_point>> given = curves_of(whole.out);
    ASSERT_EQ(given.size(), 2u) << whole.out;
    EXPECT_EQ(pieces(given[1]), 1u) << whole.out;
    EXPECT_LT(std::abs(outline::curve_area(given[1])), 2) << whole.out;
    EXPECT_EQ(given[0], curves[0]);
}

TEST(SmallOutlines, AnExplicitPenaltyIsUsedAsGivenOnEveryOutline)
{
    // A penalty of 1 given: the stem is searched with 1, not with 1 x 42 /
    // 300, so it is fitted as a lone stem of that penalty is.
    std::vector<std::string> stem(26, std::string(8, '.'));
    for (std::size_t y = 4; y < 24; ++y) stem[y][3] = '#';
    const std::string alone = mask_file(stem, "stem-alone.bmp");
    const std::string both = mask_file(stem_and_square(), "stem-both.bmp");
    const run_result lone = run_vexilo_fit({"--max-length=50", "--junction-penalty=1", alone});
    const run_result r = run_vexilo_fit({"--all", "--max-length=50", "--junction-penalty=1", both});
    ASSERT_EQ(lone.status, 0) << lone.err;
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::vector<outline::real_point>> curves = curves_of(r.out);
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[1], curves_of(lone.out)[0]);
    // Nor is it the curve the scaled penalty would give.
    const run_result scaled = run_vexilo_fit({"--max-length=50", "--junction-penalty=0.14", alone});
    EXPECT_NE(curves_of(scaled.out)[0], curves[1]) << scaled.out;

    // Without --all the default is the whole penalty, as before.
    EXPECT_EQ(run_vexilo_fit({alone}).out, run_vexilo_fit({"--junction-penalty=10", alone}).out);
}
