// vexilo-fit on whole pictures (--all) and on every input format: holes and
// nested shapes, shapes on the border, --invert, pins on the second outline,
// the JSON output, and refused files of each format.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "cli/picture_fit.h"
#include "cli/progress_bar.h"
#include "contour/write_bmp.h"
#include "fitting/typedefs.h"
#include "tests/cli/run_program.h"
#include "tests/contour/png_files.h"
#include "tests/contour/test_masks.h"

using test_masks::from_art;

namespace {

// A ring with a dot in its hole, and a square on the right border.
const std::vector<std::string> rings = {
    "......................", "....########........##", "...##########.......##", "..####....####......##",
    "..###......###......##", "..###..##..###........", "..###..##..###........", "..###......###........",
    "..####....####........", "...##########.........", "....########..........", "......................",
};

// Two discs side by side.
const std::vector<std::string> two_discs = {
    "......................", "...####.......####....", "..######.....######...", ".########...########..",
    ".########...########..", ".########...########..", ".########...########..", "..######.....######...",
    "...####.......####....", "......................",
};

// Each pixel of the art as a block of k x k.
std::vector<std::string> scaled(const std::vector<std::string>& art, std::size_t k)
{
    std::vector<std::string> out;
    for (const std::string& row : art) {
        std::string wide;
        for (char c : row) wide += std::string(k, c);
        for (std::size_t i = 0; i < k; ++i) out.push_back(wide);
    }
    return out;
}

std::string written(const std::string& name, const std::string& bytes)
{
    const std::string path = test_masks::temp_path(name);
    test_masks::write_file(path, bytes);
    return path;
}

std::string bmp_file(const std::vector<std::string>& art, const std::string& name)
{
    return written(name, img::encode_bmp(from_art(art)));
}

// The art in the other formats: '#' white, '.' black, as the BMP reader
// sets the non-black pixels.
std::string plain_pbm(const std::vector<std::string>& art)
{
    std::string out = "P1\n# a comment\n" + std::to_string(art[0].size()) + ' ' + std::to_string(art.size()) + '\n';
    for (const std::string& row : art) {
        for (char c : row) out += c == '#' ? "0 " : "1 ";
        out += '\n';
    }
    return out;
}

std::string raw_pbm(const std::vector<std::string>& art)
{
    std::string out = "P4 " + std::to_string(art[0].size()) + ' ' + std::to_string(art.size()) + '\n';
    for (const std::string& row : art) {
        for (std::size_t x = 0; x < row.size(); x += 8) {
            unsigned char byte = 0;
            for (std::size_t b = 0; b < 8 && x + b < row.size(); ++b)
                if (row[x + b] != '#') byte |= (unsigned char)(0x80 >> b);  // 1 is black
            out += char(byte);
        }
    }
    return out;
}

// Grey levels: '#' 200, '.' 30, so a threshold between them gives the art.
std::string raw_pgm(const std::vector<std::string>& art)
{
    std::string out = "P5 " + std::to_string(art[0].size()) + ' ' + std::to_string(art.size()) + " 255\n";
    for (const std::string& row : art)
        for (char c : row) out += char(c == '#' ? 200 : 30);
    return out;
}

std::string plain_ppm(const std::vector<std::string>& art)
{
    std::string out = "P3 " + std::to_string(art[0].size()) + ' ' + std::to_string(art.size()) + " 255\n";
    for (const std::string& row : art) {
        for (char c : row) out += c == '#' ? "255 255 255 " : "0 0 40 ";
        out += '\n';
    }
    return out;
}

std::string rgb_png(const std::vector<std::string>& art)
{
    test_masks::png_picture png;
    png.width = std::uint32_t(art[0].size());
    png.height = std::uint32_t(art.size());
    png.colour_type = PNG_COLOR_TYPE_RGB;
    for (const std::string& row : art)
        for (char c : row)
            for (int i = 0; i < 3; ++i) png.samples.push_back(c == '#' ? 250 : 5);
    return test_masks::encode_png(png);
}

std::vector<std::string> blocks(const std::string& text)
{
    std::vector<std::string> out(1);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty())
            out.emplace_back();
        else
            out.back() += line + '\n';
    }
    return out;
}

std::vector<outline::real_point> points_of(const std::string& block)
{
    std::vector<outline::real_point> out;
    std::istringstream in(block);
    for (float x, y; in >> x >> y;) out.push_back({x, y});
    return out;
}

std::size_t count_of(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Whether the point lies inside the closed curves by the even-odd rule: a ray
// to the right crosses the flattened pieces an odd number of times.
bool inside_even_odd(const std::vector<std::vector<outline::real_point>>& curves, double px, double py)
{
    bool inside = false;
    for (const std::vector<outline::real_point>& c : curves) {
        for (std::size_t i = 0; i + 3 < c.size(); i += 3) {
            const int steps = 64;
            double ax = c[i].x, ay = c[i].y;
            for (int s = 1; s <= steps; ++s) {
                const double u = double(s) / steps, v = 1 - u;
                const double bx = v * v * v * c[i].x + 3 * v * v * u * c[i + 1].x + 3 * v * u * u * c[i + 2].x +
                                  u * u * u * c[i + 3].x;
                const double by = v * v * v * c[i].y + 3 * v * v * u * c[i + 1].y + 3 * v * u * u * c[i + 2].y +
                                  u * u * u * c[i + 3].y;
                if ((ay > py) != (by > py) && px < ax + (py - ay) * (bx - ax) / (by - ay)) inside = !inside;
                ax = bx;
                ay = by;
            }
        }
    }
    return inside;
}

// The pixels whose centres the even-odd fill of the blocks' curves gets
// wrong against the art ('#' set).
unsigned wrong_pixels(const std::vector<std::string>& art, const std::string& output)
{
    std::vector<std::vector<outline::real_point>> curves;
    for (const std::string& b : blocks(output)) curves.push_back(points_of(b));
    unsigned wrong = 0;
    for (std::size_t y = 0; y < art.size(); ++y)
        for (std::size_t x = 0; x < art[y].size(); ++x)
            if (inside_even_odd(curves, x + 0.5, y + 0.5) != (art[y][x] == '#')) ++wrong;
    return wrong;
}

}  // namespace

TEST(VexiloFitAll, EveryOutlineHolesAndShapesInHolesAndOnTheBorder)
{
    const std::vector<std::string> art = scaled(rings, 3);
    const std::string m = bmp_file(art, "rings.bmp");
    // A low junction penalty: the curves follow the corners of the pixels.
    const run_result r = run_vexilo_fit({"--all", "--junction-penalty=0.5", m});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> b = blocks(r.out);
    // The ring's outside, its hole, the dot in the hole, the square on the border.
    ASSERT_EQ(b.size(), 4u) << r.out;
    for (const std::string& block : b) {
        const std::vector<outline::real_point> p = points_of(block);
        ASSERT_GE(p.size(), 4u);
        EXPECT_EQ((p.size() - 1) % 3, 0u);
        EXPECT_EQ(p.front(), p.back());
    }
    // Filled with the even-odd rule, the curves give the mask back (the
    // square on the border too, closed along it) but for a few pixels on
    // the corners.
    EXPECT_LE(wrong_pixels(art, r.out), 12u) << r.out;
    EXPECT_TRUE(r.err.find("First closed contour") == std::string::npos) << r.err;

    // Without --all, the first closed outline only, as before: the square on
    // the border does not close there.
    const run_result first = run_vexilo_fit({"--junction-penalty=0.5", m});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(blocks(first.out).size(), 1u);
    EXPECT_EQ(first.out, b[0]);
}

TEST(VexiloFitAll, TheSvgIsOneEvenOddPathOfEveryOutline)
{
    const std::string m = bmp_file(rings, "rings-svg.bmp");
    const run_result points = run_vexilo_fit({"--all", m});
    const run_result svg = run_vexilo_fit({"--all", "--svg", "-", m});
    ASSERT_EQ(svg.status, 0) << svg.err;
    EXPECT_EQ(count_of(svg.out, "<path "), 1u);
    EXPECT_EQ(count_of(svg.out, "fill-rule=\"evenodd\""), 1u);
    EXPECT_EQ(count_of(svg.out, "M"), 4u) << svg.out;
    EXPECT_EQ(count_of(svg.out, " Z"), 4u);
    std::size_t pieces = 0;
    for (const std::string& b : blocks(points.out)) pieces += (points_of(b).size() - 1) / 3;
    EXPECT_EQ(count_of(svg.out, " C"), pieces) << svg.out;
    EXPECT_NE(svg.out.find("width=\"22\" height=\"12\""), std::string::npos);
}

TEST(VexiloFitAll, InvertTracesTheBlackPixels)
{
    // Black ink on white: the inverted art is the set pixels of the file.
    std::vector<std::string> ink = two_discs;
    for (std::string& row : ink)
        for (char& c : row) c = c == '#' ? '.' : '#';
    const std::string inverted = bmp_file(ink, "ink.bmp");
    const run_result direct = run_vexilo_fit({"--all", bmp_file(two_discs, "discs.bmp")});
    const run_result r = run_vexilo_fit({"--all", "--invert", inverted});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, direct.out);
    EXPECT_EQ(blocks(r.out).size(), 2u);
    // Without --invert the white paper is the shape, the discs its holes.
    const run_result paper = run_vexilo_fit({"--all", inverted});
    ASSERT_EQ(paper.status, 0) << paper.err;
    EXPECT_EQ(blocks(paper.out).size(), 3u);
}

TEST(VexiloFitAll, PinsGoToTheOutlineThatHoldsTheirNodes)
{
    const std::string m = bmp_file(two_discs, "pinned.bmp");
    // Four pins on nodes of the right disc, one that holds no node. Without
    // the whole-curve fit the junctions stay on the nodes the search chose.
    const std::string pins = written("second-pins.txt", "14 1 0.4 1\n20 4 0.4 1\n18 9 0.4 1\n12 6 0.4 0\n6 5 0.5 1\n");
    const run_result r = run_vexilo_fit({"--all", "--stats", "--fit-whole-poly-bezier=0", "--pins", pins, m});
    ASSERT_EQ(r.status, 0) << r.err;
    // The first outline was estimated freely, the second searched in the pins.
    EXPECT_NE(r.err.find("outline 1: N=32 junctions="), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("outline 2: N=32 junctions=4 "), std::string::npos) << r.err;
    EXPECT_EQ(count_of(r.err, "estimated-length=-"), 1u) << r.err;
    EXPECT_NE(r.err.find("estimated-length=-", r.err.find("outline 2:")), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(pins + ": pin 5 (6 5 0.5): The area contains no nodes of the polyline."), std::string::npos)
        << r.err;

    const std::vector<std::string> b = blocks(r.out);
    ASSERT_EQ(b.size(), 2u);
    const std::vector<outline::real_point> p = points_of(b[1]);
    ASSERT_EQ(p.size(), 13u) << b[1];
    std::vector<std::pair<float, float>> junctions, expected = {{12, 6}, {14, 1}, {18, 9}, {20, 4}};
    for (std::size_t i = 0; i + 1 < p.size(); i += 3) junctions.emplace_back(p[i].x, p[i].y);
    std::sort(junctions.begin(), junctions.end());
    EXPECT_EQ(junctions, expected) << b[1];
    // The first disc is fitted as without pins.
    EXPECT_EQ(b[0], blocks(run_vexilo_fit({"--all", "--fit-whole-poly-bezier=0", m}).out)[0]);
}

TEST(VexiloFitAll, JsonGivesSizeAndEveryCurve)
{
    const std::string m = bmp_file(rings, "rings-json.bmp");
    const run_result points = run_vexilo_fit({"--all", m});
    const run_result r = run_vexilo_fit({"--all", "--json", m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("{\"width\": 22, \"height\": 12, \"curves\": [\n{\"points\": [[", 0), 0u) << r.out;
    EXPECT_EQ(count_of(r.out, "\"points\""), 4u);
    EXPECT_EQ(count_of(r.out, "\"discrepancy\": "), 4u);
    // The first curve's junction count and points are those of its block.
    const std::vector<outline::real_point> first = points_of(blocks(points.out)[0]);
    EXPECT_NE(r.out.find("\"junctions\": " + std::to_string((first.size() - 1) / 3) + ", "), std::string::npos);
    std::ostringstream start;
    start << "[[" << first[0].x << ", " << first[0].y << "], [" << first[1].x << ", " << first[1].y << ']';
    EXPECT_NE(r.out.find(start.str()), std::string::npos) << start.str();

    // One outline without --all, in the same form.
    const run_result one = run_vexilo_fit({"--json", m});
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(count_of(one.out, "\"points\""), 1u);
    EXPECT_EQ(one.out.substr(one.out.size() - 5), "}\n]}\n");
}

TEST(VexiloFitAll, EveryFormatGivesTheCurvesOfTheBmp)
{
    const run_result expected = run_vexilo_fit({"--all", bmp_file(rings, "formats.bmp")});
    ASSERT_EQ(expected.status, 0) << expected.err;
    const std::vector<std::pair<std::string, std::string>> files = {
        {"plain.pbm", plain_pbm(rings)}, {"raw.pbm", raw_pbm(rings)}, {"raw.pgm", raw_pgm(rings)},
        {"plain.ppm", plain_ppm(rings)}, {"rgb.png", rgb_png(rings)},
    };
    for (const auto& f : files) {
        // Named .bmp: the first bytes decide.
        const std::string path = written(f.first + ".bmp", f.second);
        const run_result r = run_vexilo_fit({"--all", path});
        EXPECT_EQ(r.status, 0) << f.first << ": " << r.err;
        EXPECT_EQ(r.out, expected.out) << f.first;
    }
    // The threshold decides which grey is set: above both greys, none.
    const std::string grey = written("threshold.pgm", raw_pgm(rings));
    EXPECT_EQ(run_vexilo_fit({"--all", "--threshold", "0.5", grey}).out, expected.out);
    const run_result none = run_vexilo_fit({"--all", "--threshold=0.9", grey});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "vexilo-fit: " + grey + ": The bitmap contains no outlines\n");
    // Below both: all set, one outline round the whole picture.
    const run_result all = run_vexilo_fit({"--all", "--threshold=0.05", grey});
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(blocks(all.out).size(), 1u);
}

TEST(VexiloFitAll, RefusedFilesOfEachFormatNameTheFile)
{
    std::string png = rgb_png(rings);
    const std::string cut_png = written("cut.png", png.substr(0, png.size() / 2));
    const std::string huge_pnm = written("huge.pgm", "P5 4000000000 4000000000 255\n\x01\x02");
    const std::string short_pbm = written("short.pbm", "P4 22 12\n\xff\xff");
    std::string bmp = img::encode_bmp(from_art(rings));
    const std::string cut_bmp = written("cut.bmp", bmp.substr(0, 40));
    const std::string text = written("words.png", "just some words");
    for (const std::string& f : {cut_png, huge_pnm, short_pbm, cut_bmp, text}) {
        for (const std::vector<std::string>& args : {std::vector<std::string>{"--all", f}, std::vector<std::string>{f},
                                                     std::vector<std::string>{"--contours", "--all", f}}) {
            const run_result r = run_vexilo_fit(args);
            EXPECT_EQ(r.status, 1) << f;
            EXPECT_EQ(r.out, "") << f;
            EXPECT_EQ(r.err.rfind("vexilo-fit: ", 0), 0u) << r.err;
            EXPECT_NE(r.err.find(f), std::string::npos) << r.err;
            EXPECT_EQ(count_of(r.err, "\n"), 1u) << r.err;
        }
    }
}

TEST(VexiloFitAll, UsageErrorsOfTheNewOptions)
{
    const std::string m = bmp_file(rings, "usage.bmp");
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--json", "--svg", "x.svg", m}, "--json and --svg cannot be used together"},
        {{"--json", "--contours", m}, "--json and --contours cannot be used together"},
        {{"--threshold", "half", m}, "invalid value 'half' for --threshold"},
        {{"--threshold=nan", m}, "invalid value 'nan' for --threshold"},
        {{"--threshold=", m}, "invalid value '' for --threshold"},
    };
    for (const auto& c : cases) {
        const run_result r = run_vexilo_fit(c.first);
        EXPECT_EQ(r.status, 2) << c.second;
        EXPECT_EQ(r.err.rfind("vexilo-fit: " + c.second, 0), 0u) << r.err;
    }
}

TEST(VexiloFitAll, ContoursWithAllListsTheClosedOutlines)
{
    const run_result r = run_vexilo_fit({"--contours", "--all", bmp_file(rings, "contours.bmp")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(count_of(r.out, "{\"closed\": true"), 4u) << r.out;
    EXPECT_EQ(count_of(r.out, "{\"closed\": false"), 0u);
}

TEST(VexiloFitAll, LongOutlinesAreEstimatedFarEnoughForACurve)
{
    // Pieces of up to L nodes: max_junctions of them cover at most
    // max_junctions (L - 1) nodes; the default length grows when that is
    // too few, a length asked for does not.
    EXPECT_EQ(cli::picture_fit::length_for(2000, 50, 160), 160u);
    EXPECT_EQ(cli::picture_fit::length_for(10000, 50, 160), 251u);
    EXPECT_EQ(cli::picture_fit::length_for(600, 2, 160), 376u);
    EXPECT_EQ(cli::picture_fit::length_for(100, 1, 50), 101u);
    EXPECT_EQ(cli::picture_fit::length_for(100, 0, 50), 50u);
    EXPECT_EQ(cli::picture_fit::length_for(100, 1, 0), 0u);

    // A disc of 2 x 240 nodes on a 92 x 92 picture: two pieces of the
    // default length cannot go round it.
    std::vector<std::string> art(92, std::string(92, '.'));
    for (int y = 0; y < 92; ++y)
        for (int x = 0; x < 92; ++x)
            if ((x - 45.5) * (x - 45.5) + (y - 45.5) * (y - 45.5) <= 40.0 * 40.0) art[y][x] = '#';
    const std::string m = bmp_file(art, "long.bmp");
    const run_result r = run_vexilo_fit({"--all", "--max-junctions=2", "--stats", m});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("junctions=2 "), std::string::npos) << r.err;
    const run_result asked = run_vexilo_fit({"--all", "--max-junctions=2", "--max-length=100", m});
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.out, "");
    EXPECT_NE(asked.err.find("no curve found for outline 1 ("), std::string::npos) << asked.err;
}

TEST(VexiloFitAll, OneProgressLineForTheWholeJob)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    {
        cli::progress_bar bar(out, true, "Fitting 3 outlines", true);
        for (unsigned long long done = 0; done <= 1000; done += 5) bar.update(done, 1000);
    }
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += char(c);
    std::fclose(out);
    // Redrawn once per percent, ended once.
    EXPECT_EQ(count_of(text, "\rFitting 3 outlines ["), 101u);
    const std::string end = "[" + std::string(40, '#') + "] 100 %\n";
    ASSERT_GE(text.size(), end.size());
    EXPECT_EQ(text.substr(text.size() - end.size()), end);
    EXPECT_EQ(count_of(text, "\n"), 1u);
}
