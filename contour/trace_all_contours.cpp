#include "contour/trace_all_contours.h"

#include <cstdint>
#include <stdexcept>

namespace img {

namespace {

typedef bitmap::byte byte;

// Directions of a step, clockwise on screen.
enum direction : unsigned { east, south, west, north, nowhere };

// The four pixels round a corner as four bits: top-left 8, top-right 4,
// bottom-left 2, bottom-right 1.
//
// next[code][d]: the direction of the boundary crack that leaves a corner
// entered going d. Away from a saddle (two set pixels diagonal, two clear
// ones) just one boundary crack leaves in the walking direction. At a saddle
// two do, and the walk turns right on screen: it goes round the clear pixel
// beside it, so the two set pixels stay in one outline.
struct turn_table {
    unsigned char next[16][4];
};

constexpr turn_table make_turn_table()
{
    turn_table t{};
    for (unsigned code = 0; code < 16; ++code) {
        const bool tl = code & 8, tr = code & 4, bl = code & 2, br = code & 1;
        // Leaving east: top-right set above, bottom-right clear below; and so on round.
        const bool leaves[4] = {tr && !br, br && !bl, bl && !tl, tl && !tr};
        for (unsigned d = east; d <= north; ++d) {
            const unsigned right_turn = (d + 1) % 4;
            unsigned out = nowhere;
            for (unsigned k = east; k <= north; ++k)
                if (leaves[k] && (out == nowhere || k == right_turn)) out = k;
            t.next[code][d] = static_cast<unsigned char>(out);
        }
    }
    return t;
}

constexpr turn_table turns = make_turn_table();

class outline_walker {
public:
    explicit outline_walker(const bitmap& image)
        : image_(image),
          w_(image.width()),
          h_(image.height()),
          walked_(w_ + 1, h_, 1)
    {
        walked_.fill(false);
    }

    // Walks the outline that starts on the unwalked boundary crack
    // (x, y)-(x, y + 1), to its end, and appends it.
    void walk_from(std::uint32_t x, std::uint32_t y, std::vector<contour>& contours)
    {
        unsigned d = pixel(x, y) ? south : north;
        if (d == north) ++y;
        contours.emplace_back();
        contour& path = contours.back();
        path.push_back(corner(x, y));
        for (;;) {
            switch (d) {
                case east:
                    ++x;
                    break;
                case south:
                    walked_.set(x, y++, true);
                    break;
                case west:
                    --x;
                    break;
                default:
                    walked_.set(x, --y, true);
                    break;
            }
            path.push_back(corner(x, y));
            d = turns.next[code(x, y)][d];
            if (d == nowhere) throw std::logic_error("trace_all_contours: an outline ends without closing");
            // Only the first crack, walked long ago, can be met again.
            if ((d == south && walked_.get(x, y)) || (d == north && walked_.get(x, y - 1))) return;
        }
    }

    // Starts an outline on each unwalked boundary crack of row y, left to
    // right. The crack on the right border never starts one: the first
    // crack of an outline is the leftmost one of its top row, and an outline
    // crosses each row an even number of times.
    void scan_row(std::uint32_t y, std::vector<contour>& contours)
    {
        const std::uint32_t bytes = bitmap::row_bytes(w_);
        const byte last_mask = byte(0xFF << (7 - (w_ - 1) % 8));  // the pixels inside the width
        byte left = 0;                                            // the pixel left of the byte's first one
        for (std::uint32_t i = 0; i < bytes; ++i) {
            const byte b = i + 1 < bytes ? image_.row(y)[i] : byte(image_.row(y)[i] & last_mask);
            // Bit k: pixel 8i + k differs from the pixel to its left.
            const byte edges = byte(b ^ (b >> 1 | left << 7));
            left = b & 1;
            for (byte fresh = byte(edges & ~walked_.row(y)[i]); fresh; fresh = byte(fresh & ~walked_.row(y)[i])) {
                const unsigned k = unsigned(__builtin_clz(fresh)) - 24;
                walk_from(8 * i + k, y, contours);
            }
        }
    }

private:
    static node corner(std::uint32_t x, std::uint32_t y) { return {std::uint16_t(x), std::uint16_t(y)}; }

    // Outside the image every pixel is clear; x - 1 and y - 1 wrap past it.
    unsigned pixel(std::uint32_t x, std::uint32_t y) const { return x < w_ && y < h_ && image_.get(x, y); }

    unsigned code(std::uint32_t x, std::uint32_t y) const
    {
        return pixel(x - 1, y - 1) << 3 | pixel(x, y - 1) << 2 | pixel(x - 1, y) << 1 | pixel(x, y);
    }

    const bitmap& image_;
    const std::uint32_t w_, h_;
    bitmap walked_;  // [W + 1 columns, H rows] bit x of row y: the vertical crack (x, y)-(x, y + 1) is walked
};

}  // namespace

void trace_all_contours(const bitmap& image, std::vector<contour>& contours)
{
    check_traced_size(image);
    if (image.width() == 0 || image.height() == 0) return;
    // Every closed path of cracks has a vertical one, so starting on
    // vertical cracks alone finds every outline.
    outline_walker walker(image);
    for (std::uint32_t y = 0; y < image.height(); ++y) walker.scan_row(y, contours);
}

}  // namespace img
