// Whole-picture tracing: filling the outlines gives back the mask, shapes
// on the border close, diagonal neighbours go as documented.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <set>
#include <stdexcept>
#include <vector>

#include "contour/trace_all_contours.h"
#include "tests/contour/test_masks.h"

using img::contour;
using test_masks::from_art;

namespace {

std::vector<contour> trace(const img::bitmap& image)
{
    std::vector<contour> contours;
    img::trace_all_contours(image, contours);
    return contours;
}

std::vector<contour> trace(const std::vector<std::string>& rows)
{
    return trace(from_art(rows));
}

// A crack-edge rasteriser: the winding number of each pixel, counting the
// vertical steps at or left of it on its row, +1 down and -1 up. A pixel is
// inside by the even-odd rule when that count of steps is odd.
struct fill {
    std::vector<int> winding, crossings;  // [h * w]
};

fill rasterise(const std::vector<contour>& contours, std::uint32_t w, std::uint32_t h)
{
    std::vector<int> steps((w + 1) * h), crossings_at((w + 1) * h);
    for (const contour& c : contours)
        for (std::size_t i = 1; i < c.size(); ++i)
            if (c[i].x == c[i - 1].x) {
                const std::uint32_t row = std::min(c[i].y, c[i - 1].y);
                steps[row * (w + 1) + c[i].x] += c[i].y > c[i - 1].y ? 1 : -1;
                ++crossings_at[row * (w + 1) + c[i].x];
            }
    fill f{std::vector<int>(w * h), std::vector<int>(w * h)};
    for (std::uint32_t y = 0; y < h; ++y) {
        int winding = 0, crossings = 0;
        for (std::uint32_t x = 0; x < w; ++x) {
            winding += steps[y * (w + 1) + x];
            crossings += crossings_at[y * (w + 1) + x];
            f.winding[y * w + x] = winding;
            f.crossings[y * w + x] = crossings;
        }
    }
    return f;
}

// Labels of connected regions: set pixels joined through edges and corners,
// clear ones through edges only; every clear region touching the border is
// the outside, label 0.
struct regions {
    std::vector<int> label;  // [h * w]
    int shapes = 0, holes = 0;
};

regions label_regions(const img::bitmap& image)
{
    const int w = int(image.width()), h = int(image.height());
    regions r;
    r.label.assign(std::size_t(w * h), -1);
    std::function<void(int, int, int, bool)> flood = [&](int x, int y, int label, bool set) {
        if (x < 0 || y < 0 || x >= w || y >= h || r.label[y * w + x] != -1 || image.get(x, y) != set) return;
        r.label[y * w + x] = label;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && (set || !(dx && dy))) flood(x + dx, y + dy, label, set);
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && !image.get(x, y)) flood(x, y, 0, false);
    int next = 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (r.label[y * w + x] == -1) {
                ++(image.get(x, y) ? r.shapes : r.holes);
                flood(x, y, next++, image.get(x, y));
            }
    return r;
}

// The label of pixel (x, y), 0 outside the image.
int label_at(const regions& r, const img::bitmap& image, int x, int y)
{
    const int w = int(image.width()), h = int(image.height());
    return x < 0 || y < 0 || x >= w || y >= h ? 0 : r.label[y * w + x];
}

// A random mask with its row padding set, which the tracing must not read.
img::bitmap random_mask(std::uint32_t w, std::uint32_t h, int density)
{
    img::bitmap image(w, h, 4);
    image.fill(true);
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 0; x < w; ++x) image.set(x, y, std::rand() % 100 < density);
    return image;
}

}  // namespace

TEST(TraceAllContours, FillingTheOutlinesGivesBackTheMask)
{
    std::srand(11);
    for (int round = 0; round < 400; ++round) {
        const std::uint32_t w = 1 + std::rand() % 41, h = 1 + std::rand() % 23;
        const img::bitmap image = random_mask(w, h, std::rand() % 101);
        const std::vector<contour> contours = trace(image);
        const std::string where = "round " + std::to_string(round);

        std::set<std::tuple<int, int, int, int>> cracks;
        for (const contour& c : contours) {
            ASSERT_GE(c.size(), 5u) << where;
            ASSERT_TRUE(img::is_closed(c)) << where;
            for (std::size_t i = 1; i < c.size(); ++i) {
                ASSERT_LE(c[i].x, w) << where;
                ASSERT_LE(c[i].y, h) << where;
                ASSERT_EQ(std::abs(c[i].x - c[i - 1].x) + std::abs(c[i].y - c[i - 1].y), 1) << where;
                ASSERT_TRUE(cracks.emplace(c[i - 1].x, c[i - 1].y, c[i].x, c[i].y).second) << where << ": twice";
            }
        }
        const fill f = rasterise(contours, w, h);
        for (std::uint32_t y = 0; y < h; ++y)
            for (std::uint32_t x = 0; x < w; ++x) {
                ASSERT_EQ(f.crossings[y * w + x] % 2 == 1, image.get(x, y)) << where << ", " << x << ", " << y;
                ASSERT_EQ(f.winding[y * w + x], image.get(x, y) ? 1 : 0) << where << ", " << x << ", " << y;
            }

        // One outline for each shape and each hole, each between one shape
        // and one clear region.
        const regions r = label_regions(image);
        EXPECT_EQ(contours.size(), std::size_t(r.shapes + r.holes)) << where;
        for (const contour& c : contours) {
            std::set<int> sides;
            for (std::size_t i = 1; i < c.size(); ++i) {
                // The pixels either side of the step: left and right as walked.
                const int x = std::min(c[i].x, c[i - 1].x), y = std::min(c[i].y, c[i - 1].y);
                const bool vertical = c[i].x == c[i - 1].x;
                sides.insert(label_at(r, image, vertical ? x - 1 : x, vertical ? y : y - 1));
                sides.insert(label_at(r, image, x, y));
            }
            EXPECT_EQ(sides.size(), 2u) << where;
        }
    }
}

TEST(TraceAllContours, ShapesOnTheBorderCloseAlongIt)
{
    EXPECT_EQ(trace({"##", "##"}),
              (std::vector<contour>{{{0, 0}, {0, 1}, {0, 2}, {1, 2}, {2, 2}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}}));
    EXPECT_EQ(trace({"#"}), (std::vector<contour>{{{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}}));

    // A ring round the whole image: the outline on the border, then the hole.
    const std::vector<contour> c = trace({"####", "#..#", "####"});
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].size(), 15u);
    EXPECT_EQ(c[1], (contour{{1, 2}, {1, 1}, {2, 1}, {3, 1}, {3, 2}, {2, 2}, {1, 2}}));
}

TEST(TraceAllContours, OutlinesComeShapeBeforeHoleBeforeIsland)
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
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0][0], (img::node{1, 1}));  // down the shape's left side
    EXPECT_EQ(c[0][1], (img::node{1, 2}));
    EXPECT_EQ(c[1][0], (img::node{2, 3}));  // up the hole's left side
    EXPECT_EQ(c[1][1], (img::node{2, 2}));
    EXPECT_EQ(c[2], (contour{{3, 3}, {3, 4}, {4, 4}, {4, 3}, {3, 3}}));
}

TEST(TraceAllContours, SetPixelsTouchingAtACornerShareAnOutline)
{
    EXPECT_EQ(trace({"#.", ".#"}),
              (std::vector<contour>{{{0, 0}, {0, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 0}, {0, 0}}}));
    EXPECT_EQ(trace({".#", "#."}).size(), 1u);
    // Clear pixels touching at a corner are two holes.
    EXPECT_EQ(trace({"####", "#.##", "##.#", "####"}).size(), 3u);
}

TEST(TraceAllContours, SizesAtTheEdgesOfWhatTraces)
{
    EXPECT_TRUE(trace(img::bitmap(0, 5, 4)).empty());
    EXPECT_TRUE(trace(img::bitmap(5, 0, 4)).empty());
    EXPECT_TRUE(trace({"...", "..."}).empty());

    EXPECT_THROW(trace(img::bitmap(65536, 1, 4)), std::length_error);

    // The widest image, set at its right end: the far corner is 65535.
    img::bitmap widest(65535, 1, 4);
    widest.fill(false);
    widest.set(65534, 0, true);
    EXPECT_EQ(trace(widest), (std::vector<contour>{{{65534, 0}, {65534, 1}, {65535, 1}, {65535, 0}, {65534, 0}}}));
}
