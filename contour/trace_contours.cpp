#include "contour/trace_contours.h"

#include <stdexcept>
#include <string>

namespace img {

namespace {

// Rows of the walked-crack map.
std::uint32_t horizontal_row(std::uint32_t y) { return 2 * y; }
std::uint32_t vertical_row(std::uint32_t y) { return 2 * y + 1; }

node corner(std::uint32_t x, std::uint32_t y) { return {std::uint16_t(x), std::uint16_t(y)}; }

}  // namespace

void check_traced_size(const bitmap& image)
{
    const std::uint32_t w = image.width(), h = image.height();
    if (w > max_traced_size || h > max_traced_size)
        throw std::length_error("The bitmap is too large to trace: " + std::to_string(w) + " x " +
                                std::to_string(h) + " pixels, at most " + std::to_string(max_traced_size) +
                                " in each direction");
}

void follow_contour(const bitmap& image, contour& path, bitmap& walked)
{
    const std::uint32_t w = image.width(), h = image.height();
    std::uint32_t x = path.back().x, y = path.back().y;
    if (x == 0)
        return;
    while (0 < y && x < w && y < h) {
        // The four pixels around the corner.
        const bool top_left = image.get(x - 1, y - 1), top_right = image.get(x, y - 1);
        const bool bottom_left = image.get(x - 1, y), bottom_right = image.get(x, y);
        if (top_left != bottom_left && !walked.get(x - 1, horizontal_row(y))) {
            walked.set(x - 1, horizontal_row(y), true);
            --x;
        } else if (top_right != bottom_right && !walked.get(x, horizontal_row(y))) {
            walked.set(x, horizontal_row(y), true);
            ++x;
        } else if (top_left != top_right && !walked.get(x, vertical_row(y - 1))) {
            walked.set(x, vertical_row(y - 1), true);
            --y;
        } else if (bottom_left != bottom_right && !walked.get(x, vertical_row(y))) {
            walked.set(x, vertical_row(y), true);
            ++y;
        } else {
            return;
        }
        path.push_back(corner(x, y));
        if (x == 0)
            return;
    }
}

void trace_contours(const bitmap& image, std::vector<contour>& contours)
{
    check_traced_size(image);
    const std::uint32_t w = image.width(), h = image.height();
    // Without pixels there are no cracks, and the border scans below would
    // read pixels that do not exist.
    if (w == 0 || h == 0)
        return;

    bitmap walked(w + 1, 2 * h + 1, 1);
    walked.fill(false);
    // Starts a path with the crack from `a` to `b`, bit (cx, cy) of the map.
    auto start = [&](node a, node b, std::uint32_t cx, std::uint32_t cy) {
        walked.set(cx, cy, true);
        contours.push_back(contour{a, b});
        follow_contour(image, contours.back(), walked);
    };

    for (std::uint32_t x = 1; x < w; ++x) {
        if (image.get(x, 0) && !image.get(x - 1, 0) && !walked.get(x, vertical_row(0)))
            start(corner(x, 0), corner(x, 1), x, vertical_row(0));
        if (image.get(x - 1, h - 1) && !image.get(x, h - 1) && !walked.get(x, vertical_row(h - 1)))
            start(corner(x, h), corner(x, h - 1), x, vertical_row(h - 1));
    }
    for (std::uint32_t y = 1; y < h; ++y) {
        if (image.get(0, y - 1) && !image.get(0, y) && !walked.get(0, horizontal_row(y)))
            start(corner(0, y), corner(1, y), 0, horizontal_row(y));
        if (image.get(w - 1, y) && !image.get(w - 1, y - 1) && !walked.get(w - 1, horizontal_row(y)))
            start(corner(w, y), corner(w - 1, y), w - 1, horizontal_row(y));
    }
    for (std::uint32_t y = 0; y < h; ++y)
        for (std::uint32_t x = 1; x < w; ++x)
            if (image.get(x, y) && !image.get(x - 1, y) && !walked.get(x, vertical_row(y)))
                start(corner(x, y), corner(x, y + 1), x, vertical_row(y));
}

}  // namespace img
