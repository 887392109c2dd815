// vexilo-fit run as a program: outputs, pins, exit statuses and messages.
#include <gtest/gtest.h>

#include <sstream>

#include "contour/import_contour.h"
#include "contour/write_bmp.h"
#include "fitting/fitting_session.h"
#include "fitting/text_formats.h"
#include "tests/cli/run_program.h"
#include "tests/contour/test_masks.h"

using test_masks::from_art;

namespace {

const std::vector<std::string> disc = {
    "............", "....####....", "...######...", "..########..", "..########..",
    "..########..", "..########..", "...######...", "....####....", "............",
};

// A 4 x 4 square: the outline (1,1) (1,2) ... has 16 nodes.
const std::vector<std::string> square = {
    "......", ".####.", ".####.", ".####.", ".####.", "......",
};

std::string mask_file(const std::vector<std::string>& art, const std::string& name = "mask.bmp")
{
    const std::string path = test_masks::temp_path(name);
    img::write_bmp(path, from_art(art));
    return path;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

// The control-points text that a fitting session gives in this process.
std::string free_fit_text(const std::string& path, const outline::grand_params<float>& params, unsigned max_length = 0)
{
    outline::fitting_session session;
    session.set_outline(img::import_contour(path).polyline);
    EXPECT_TRUE(session.set_params(params));
    return outline::control_points_text(session.run(nullptr, max_length).curve.control_points);
}

}  // namespace

TEST(VexiloFit, HelpShowsTheUsage)
{
    const run_result r = run_vexilo_fit({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("Usage: vexilo-fit [options] INPUT\n", 0), 0u) << r.out;
    EXPECT_TRUE(contains(r.out, "--junction-penalty=R     (without pins) [10]"));
    EXPECT_EQ(r.err, "");
}

TEST(VexiloFit, UsageErrorsExitWithStatusTwoAndTheUsage)
{
    const std::string m = mask_file(disc);
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, "no input file given"},
        {{m, m}, "more than one input file given"},
        {{"--bogus", m}, "unknown option --bogus"},
        {{m, "--svg"}, "option --svg needs a value"},
        {{"--pins=", m}, "option --pins needs a file name"},
        {{"--max-junctions=abc", m}, "invalid value 'abc' for --max-junctions: expected a whole number"},
        {{"--max-length", "4294967296", m}, "invalid value '4294967296' for --max-length"},
        {{"--sharp-bend-penalty=1x", m}, "invalid value '1x' for --sharp-bend-penalty: expected a number"},
        {{"--rendering-oversample-factor=nan", m}, "invalid value 'nan'"},
        {{"--junction-penalty=-1", m}, "invalid value '-1' for --junction-penalty: expected a number of 0 or more"},
        // The engine's parameter rules (fitting/param_checks.h).
        {{"--sharp-bend-penalty=inf", m}, "invalid value 'inf' for --sharp-bend-penalty: expected a finite number"},
        {{"--estimation-oversample-factor=0", m},
         "invalid value '0' for --estimation-oversample-factor: expected a number greater than 0"},
        {{"--rendering-oversample-factor=-2", m},
         "invalid value '-2' for --rendering-oversample-factor: expected a number greater than 0"},
        {{"--rendering-max-iterations=10001", m},
         "invalid value '10001' for --rendering-max-iterations: expected a whole number up to 10000"},
        {{"--estimation-max-iterations=4294967295", m},
         "invalid value '4294967295' for --estimation-max-iterations: expected a whole number up to 10000"},
        {{"--estimation=2", m}, "invalid value '2' for --estimation: expected 0 or 1"},
    };
    for (const auto& c : cases) {
        const run_result r = run_vexilo_fit(c.first);
        EXPECT_EQ(r.status, 2) << c.second;
        EXPECT_EQ(r.err.rfind("vexilo-fit: " + c.second, 0), 0u) << r.err;
        EXPECT_TRUE(contains(r.err, "Usage: vexilo-fit")) << c.second;
        EXPECT_EQ(r.out, "") << c.second;
    }
}

TEST(VexiloFit, UnusableInputExitsWithStatusOneAndTheMessage)
{
    const std::string missing = test_masks::temp_path("missing.bmp");
    std::string eight_bit = img::encode_bmp(from_art(disc));
    test_masks::put16(eight_bit, 28, 8);
    const std::string eight_bit_path = test_masks::temp_path("8bit.bmp");
    test_masks::write_file(eight_bit_path, eight_bit);
    const std::string blank = mask_file({"....", "...."}, "blank.bmp");
    const std::string open = mask_file({"##..", "##..", "...."}, "open.bmp");
    const std::string wide = test_masks::temp_path("wide.bmp");
    img::bitmap wide_mask(70000, 1, 4);
    wide_mask.fill(false);
    img::write_bmp(wide, wide_mask);

    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{missing}, "vexilo-fit: could not open BMP image for reading or read error: " + missing + "\n"},
        {{eight_bit_path}, "vexilo-fit: unsupported image file format mode: " + eight_bit_path + "\n"},
        {{blank}, "vexilo-fit: " + blank + ": The bitmap contains no outlines\n"},
        {{open}, "vexilo-fit: " + open + ": The bitmap contains no CLOSED outline\n"},
        {{wide},
         "vexilo-fit: " + wide +
             ": The bitmap is too large to trace: 70000 x 1 pixels, at most 65535 in each direction\n"},
        {{"--contours", missing}, "vexilo-fit: could not open BMP image for reading or read error: " + missing + "\n"},
        {{"--pins", missing, mask_file(disc)}, "vexilo-fit: could not read the pins file " + missing + "\n"},
    };
    for (const auto& c : cases) {
        const run_result r = run_vexilo_fit(c.first);
        EXPECT_EQ(r.status, 1) << c.second;
        EXPECT_EQ(r.err, c.second);
        EXPECT_EQ(r.out, "");
    }
}

TEST(VexiloFit, PrintsTheControlPointsOfTheFittedCurve)
{
    const std::string m = mask_file(disc);
    const run_result r = run_vexilo_fit({m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, free_fit_text(m, outline::grand_params<float>()));

    const std::vector<std::string> points = lines(r.out);
    ASSERT_GE(points.size(), 4u);
    EXPECT_EQ(points.size() % 3, 1u);
    EXPECT_EQ(points.front(), points.back());
    // One contour: no note. Standard error is no terminal: no progress bar.
    EXPECT_FALSE(contains(r.err, "First closed contour"));
    EXPECT_FALSE(contains(r.err, "Estimating"));

    // The parameters reach the engine.
    outline::grand_params<float> p;
    p.junction_penalty = 0.5f;
    p.rendering_max_iterations = 3;
    const run_result tuned = run_vexilo_fit({"--junction-penalty=0.5", "--rendering-max-iterations", "3", m});
    ASSERT_EQ(tuned.status, 0) << tuned.err;
    EXPECT_EQ(tuned.out, free_fit_text(m, p));
    EXPECT_NE(tuned.out, r.out);
}

TEST(VexiloFit, WithoutEstimationTheJunctionsAreSpreadEvenly)
{
    // 16 nodes, min(16 / 3, 50) = 5 pieces from nodes 0, 3, 6, 9 and 12.
    const run_result r = run_vexilo_fit({"--estimation=0", "--fit-whole-poly-bezier=0", "--stats", mask_file(square)});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> points = lines(r.out);
    ASSERT_EQ(points.size(), 16u);
    const char* junctions[] = {"1\t1", "1\t4", "3\t5", "5\t4", "5\t1", "1\t1"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(points[3 * i], junctions[i]) << i;
    EXPECT_TRUE(contains(r.err, "vexilo-fit: N=16 junctions=5 discrepancy=0 estimated-length=3\n")) << r.err;
}

TEST(VexiloFit, NotesWhichContourWasTakenWhenThereAreSeveral)
{
    const run_result r = run_vexilo_fit({mask_file({
        "##........",
        "..........",
        "...####...",
        "...####...",
        "...####...",
        "...####...",
        "..........",
    })});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.err, "vexilo-fit: First closed contour from bitmap selected.\n")) << r.err;
}

TEST(VexiloFit, PinsGuideTheJunctionsAndRefusedPinsAreReported)
{
    const std::string m = mask_file(disc);
    const std::string pins = test_masks::temp_path("pins.txt");
    test_masks::write_file(pins,
                           "2 5 1 1\n"    // left side
                           "30 30 2 1\n"  // far away
                           "2 5.5 1 0\n"  // overlaps the first
                           "10 5 1 1\n"   // right side
                           "6 1 0.5 0\n"  // top
                           "1 2 x\n");    // not a record: the reading stops
    const run_result r = run_vexilo_fit({"--pins", pins, "--fit-whole-poly-bezier=0", m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, pins + ": pin 2 (30 30 2): The area contains no nodes of the polyline.\n")) << r.err;
    EXPECT_TRUE(
        contains(r.err, pins + ": pin 3 (2 5.5 1): The area shares some nodes of polyline with another area.\n"));
    EXPECT_TRUE(contains(r.err, "ignored what follows pin 5"));

    // Three pins, three pieces, each junction a node inside its pin.
    const std::vector<std::string> points = lines(r.out);
    ASSERT_EQ(points.size(), 10u) << r.out;
    const float centres[][3] = {{2, 5, 1}, {10, 5, 1}, {6, 1, 0.5f}};
    for (int k = 0; k < 3; ++k) {
        float x = 0, y = 0;
        std::istringstream(points[3 * k]) >> x >> y;
        bool in_a_pin = false;
        for (const auto& c : centres)
            in_a_pin = in_a_pin || (x - c[0]) * (x - c[0]) + (y - c[1]) * (y - c[1]) <= c[2] * c[2];
        EXPECT_TRUE(in_a_pin) << points[3 * k];
    }
}

TEST(VexiloFit, WritesTheCurveAsAnSvgPath)
{
    const std::string m = mask_file(disc);
    const std::vector<std::string> points = lines(run_vexilo_fit({m}).out);
    ASSERT_GE(points.size(), 4u);
    std::string d = "M";
    for (std::size_t i = 0; i < points.size(); ++i) {
        std::string p = points[i];
        p[p.find('\t')] = ',';
        d += (i == 0 ? "" : i % 3 == 1 ? " C" : " ") + p;
    }
    d += " Z";

    const run_result r = run_vexilo_fit({"--svg", "-", m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "viewBox=\"0 0 12 10\"")) << r.out;
    EXPECT_TRUE(contains(r.out, " d=\"" + d + "\"")) << r.out << "\n" << d;

    const std::string svg = test_masks::temp_path("curve.svg");
    const run_result to_file = run_vexilo_fit({"--svg=" + svg, m});
    ASSERT_EQ(to_file.status, 0) << to_file.err;
    EXPECT_EQ(to_file.out, "");
    EXPECT_EQ(file_text(svg), r.out);
}

TEST(VexiloFit, ContoursListsEveryTracedContourAsJson)
{
    run_result r = run_vexilo_fit({"--contours", mask_file({".....", ".....", "..#..", ".....", "....."})});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "{\"width\": 5, \"height\": 5, \"contours\": [\n"
              "{\"closed\": true, \"nodes\": [[2, 2], [2, 3], [3, 3], [3, 2], [2, 2]]}\n"
              "]}\n");

    // Whatever the image holds, as long as it reads.
    r = run_vexilo_fit({"--contours", mask_file({"##.", "##.", "..."})});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.out, "{\"closed\": false, \"nodes\": [[0, 2], [1, 2], [2, 2], [2, 1], [2, 0]]}")) << r.out;
    r = run_vexilo_fit({"--contours", mask_file({"...", "..."})});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "{\"width\": 3, \"height\": 2, \"contours\": []}\n");
}

TEST(VexiloFit, MaxLengthStopsTheEstimation)
{
    const std::string m = mask_file(disc);
    run_result r = run_vexilo_fit({"--max-length=9", "--stats", m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(contains(r.err, " estimated-length=9\n")) << r.err;
    EXPECT_EQ(r.out, free_fit_text(m, outline::grand_params<float>(), 9));

    // Pieces of four nodes fit no closed curve's search.
    r = run_vexilo_fit({"--max-length=4", m});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(contains(r.err, "no curve found")) << r.err;
    EXPECT_EQ(r.out, "");
}
