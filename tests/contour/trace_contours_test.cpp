// The contour tracer and the import rule built on it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <stdexcept>
#include <tuple>

#include "contour/import_contour.h"
#include "contour/io_error.h"
#include "tests/contour/test_masks.h"
#include "contour/trace_contours.h"
#include "contour/write_bmp.h"

using img::contour;
using img::node;
using test_masks::from_art;

namespace {

std::vector<contour> trace(const img::bitmap& image)
{
    std::vector<contour> contours;
    img::trace_contours(image, contours);
    return contours;
}

std::vector<contour> trace(const std::vector<std::string>& rows) { return trace(from_art(rows)); }

bool on_border(node n, const img::bitmap& image)
{
    return n.x == 0 || n.y == 0 || n.x == image.width() || n.y == image.height();
}

// A crack as (lower corner x, y, vertical?) so that each has one name.
typedef std::tuple<unsigned, unsigned, bool> crack;

crack crack_between(node a, node b)
{
    if (a.y == b.y)
        return crack(std::min(a.x, b.x), a.y, false);
    return crack(a.x, std::min(a.y, b.y), true);
}

}  // namespace

TEST(TraceContours, ASinglePixelGivesOneClosedContour)
{
    const std::vector<contour> c = trace({
        ".....",
        ".....",
        "..#..",
        ".....",
        ".....",
    });
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0], (contour{{2, 2}, {2, 3}, {3, 3}, {3, 2}, {2, 2}}));
}

TEST(TraceContours, NoBoundaryNoContour)
{
    EXPECT_TRUE(trace({"....", "....", "...."}).empty());
    EXPECT_TRUE(trace({"####", "####", "####"}).empty());
    EXPECT_TRUE(trace({"#"}).empty());
    EXPECT_TRUE(trace({"."}).empty());
    EXPECT_TRUE(trace(img::bitmap(0, 0, 4)).empty());
    // No pixels to look at, however many rows or columns are claimed.
    EXPECT_TRUE(trace(img::bitmap(0, 3, 4)).empty());
    EXPECT_TRUE(trace(img::bitmap(3, 0, 4)).empty());
}

TEST(TraceContours, ARegionOnTheBorderGivesAnOpenContourFromBorderToBorder)
{
    const img::bitmap image = from_art({
        "......",
        "......",
        "...###",
        "...###",
        "......",
    });
    const std::vector<contour> c = trace(image);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_FALSE(img::is_closed(c[0]));
    EXPECT_EQ(c[0].front(), (node{6, 2}));  // started by the right-border scan
    EXPECT_EQ(c[0].back(), (node{6, 4}));
    for (std::size_t i = 1; i + 1 < c[0].size(); ++i)
        EXPECT_FALSE(on_border(c[0][i], image)) << i;
    EXPECT_THROW(img::first_closed_contour(c), std::runtime_error);
}

TEST(TraceContours, TheOuterBoundaryOfARegionWithAHoleComesFirst)
{
    const std::vector<contour> c = trace({
        ".......",
        ".#####.",
        ".#...#.",
        ".#.#.#.",
        ".#...#.",
        ".#####.",
        ".......",
    });
    ASSERT_EQ(c.size(), 3u);  // outer boundary, hole, island in the hole
    for (const contour& k : c)
        EXPECT_TRUE(img::is_closed(k));
    EXPECT_EQ(c[0].size(), 21u);  // 5 x 5 square: 20 cracks
    EXPECT_EQ(c[0][0], (node{1, 1}));
    EXPECT_EQ(c[1].size(), 13u);  // 3 x 3 hole
    EXPECT_EQ(c[1][0], (node{5, 2}));  // its right edge: a set pixel right of a clear one
    EXPECT_EQ(c[2], (contour{{3, 3}, {3, 4}, {4, 4}, {4, 3}, {3, 3}}));
    EXPECT_EQ(&img::first_closed_contour(c), &c[0]);
}

TEST(TraceContours, DiagonalNeighboursAreJoinedByTheFixedOrder)
{
    // At the corner (2, 2) four boundary cracks meet; coming from the left,
    // the path takes the right crack first and so goes round both pixels.
    EXPECT_EQ(trace({
                  "....",
                  ".#..",
                  "..#.",
                  "....",
              }),
              (std::vector<contour>{{{1, 1}, {1, 2}, {2, 2}, {3, 2}, {3, 3}, {2, 3}, {2, 2}, {2, 1}, {1, 1}}}));

    // The other diagonal: the path from (2, 1) down to (2, 2) turns left
    // there, the first choice, and also goes round both pixels.
    EXPECT_EQ(trace({
                  "....",
                  "..#.",
                  ".#..",
                  "....",
              }),
              (std::vector<contour>{{{2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 2}, {3, 2}, {3, 1}, {2, 1}}}));
}

// Paths move in unit steps along boundary cracks and use each crack once.
// When no region touches the border, every boundary crack is walked and
// every contour closes. (With regions on the border a path may leave a
// corner where four cracks meet towards the border and strand the cracks
// it did not take; the tracing does not promise to walk those.)
TEST(TraceContours, EveryBoundaryCrackIsWalkedOnceInUnitSteps)
{
    std::srand(7);
    for (int round = 0; round < 40; ++round) {
        const bool clear_border = round % 2 == 0;
        const std::uint32_t w = 1 + std::rand() % 23, h = 1 + std::rand() % 17;
        img::bitmap image(w, h, 4);
        for (std::uint32_t y = 0; y < h; ++y)
            for (std::uint32_t x = 0; x < w; ++x) {
                const bool inner = x > 0 && y > 0 && x + 1 < w && y + 1 < h;
                image.set(x, y, (inner || !clear_border) && std::rand() % 3 == 0);
            }

        std::set<crack> boundary;
        for (std::uint32_t y = 0; y < h; ++y)
            for (std::uint32_t x = 0; x < w; ++x) {
                if (x > 0 && image.get(x - 1, y) != image.get(x, y))
                    boundary.insert(crack(x, y, true));
                if (y > 0 && image.get(x, y - 1) != image.get(x, y))
                    boundary.insert(crack(x, y, false));
            }

        std::set<crack> walked;
        for (const contour& c : trace(image)) {
            ASSERT_GE(c.size(), 2u);
            if (clear_border) {
                EXPECT_TRUE(img::is_closed(c)) << "round " << round;
            }
            for (std::size_t i = 1; i < c.size(); ++i) {
                const int dx = int(c[i].x) - int(c[i - 1].x), dy = int(c[i].y) - int(c[i - 1].y);
                ASSERT_EQ(std::abs(dx) + std::abs(dy), 1) << "round " << round << ", node " << i;
                const crack k = crack_between(c[i - 1], c[i]);
                EXPECT_TRUE(boundary.count(k)) << "round " << round << ": not a boundary crack";
                EXPECT_TRUE(walked.insert(k).second) << "round " << round << ": crack walked twice";
            }
        }
        if (clear_border) {
            EXPECT_EQ(walked, boundary) << "round " << round;
        }
    }
}

TEST(TraceContours, RefusesBitmapsBeyondSixteenBitCorners)
{
    std::vector<contour> c;
    img::bitmap wide(65536, 1, 4);
    wide.fill(false);
    EXPECT_THROW(img::trace_contours(wide, c), std::length_error);
    img::bitmap high(1, 65536, 4);
    high.fill(false);
    EXPECT_THROW(img::trace_contours(high, c), std::length_error);

    // The largest width still traces, its far corner at 65535.
    img::bitmap widest(65535, 2, 1);
    widest.fill(false);
    widest.set(65534, 0, true);
    img::trace_contours(widest, c);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_EQ(c[0], (contour{{65534, 0}, {65534, 1}, {65535, 1}}));
}

TEST(ImportContour, TakesTheFirstClosedContourAndCountsThemAll)
{
    const std::vector<std::pair<std::vector<contour>, const char*>> refused = {
        {{}, "The bitmap contains no outlines"},
        {{contour{{0, 1}, {1, 1}}}, "The bitmap contains no CLOSED outline"},
    };
    for (const auto& r : refused) {
        try {
            img::first_closed_contour(r.first);
            ADD_FAILURE() << "no exception";
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), r.second);
        }
    }

    // An open contour on the border, then two closed ones.
    const std::string path = test_masks::temp_path("mask.bmp");
    img::write_bmp(path, from_art({
                             "##......",
                             "........",
                             "..##..#.",
                             "..##....",
                             "........",
                         }));
    const img::imported_contour imported = img::import_contour(path);
    EXPECT_EQ(imported.width, 8u);
    EXPECT_EQ(imported.height, 5u);
    EXPECT_EQ(imported.contour_count, 3u);
    EXPECT_EQ(imported.polyline.front(), (node{2, 2}));
    EXPECT_EQ(imported.polyline.size(), 9u);
    EXPECT_TRUE(img::is_closed(imported.polyline));

    // The reader's own errors pass through unchanged.
    EXPECT_THROW(img::import_contour(test_masks::temp_path("missing.bmp")), img::io_error);
}
