#include "framework/mask_editor/span_fill.h"

#include <vector>

namespace Kor {

namespace {

using byte = img::bitmap::byte;

bool Bit(const byte* row, std::uint32_t x) { return (row[x >> 3] & (0x80u >> (x & 7))) != 0; }

struct Seed {
    std::uint32_t x, y;
};

}  // namespace

void FillRowBits(byte* row, std::uint32_t left, std::uint32_t right, bool value) {
    if (left >= right) return;
    std::uint32_t first = left >> 3, last = (right - 1) >> 3;
    byte head = byte(0xFFu >> (left & 7));               // bits from `left` to the byte's end
    byte tail = byte(0xFFu << (7 - ((right - 1) & 7)));  // bits from the byte's start to `right` - 1
    auto apply = [&](std::uint32_t i, byte bits) {
        if (value)
            row[i] |= bits;
        else
            row[i] &= byte(~bits);
    };
    if (first == last) return apply(first, byte(head & tail));
    apply(first, head);
    for (std::uint32_t i = first + 1; i < last; ++i) row[i] = value ? 0xFF : 0x00;
    apply(last, tail);
}

std::uint64_t SpanFill(img::bitmap& mask, long long x, long long y, bool value) {
    const long long width = mask.width(), height = mask.height();
    if (x < 0 || y < 0 || x >= width || y >= height || mask.size() == 0) return 0;
    if (Bit(mask.row(std::uint32_t(y)), std::uint32_t(x)) == value) return 0;

    const std::uint32_t w = std::uint32_t(width), h = std::uint32_t(height);
    std::uint64_t changed = 0;
    std::vector<Seed> stack;
    stack.push_back({std::uint32_t(x), std::uint32_t(y)});
    while (!stack.empty()) {
        Seed s = stack.back();
        stack.pop_back();
        byte* row = mask.row(s.y);
        if (Bit(row, s.x) == value) continue;  // filled since it was pushed
        // The span through the seed: [l, r).
        std::uint32_t l = s.x, r = s.x + 1;
        while (l > 0 && Bit(row, l - 1) != value) --l;
        while (r < w && Bit(row, r) != value) ++r;
        FillRowBits(row, l, r, value);
        changed += r - l;
        // One seed per run of unfilled pixels touching the span, above and below.
        for (int d = -1; d <= 1; d += 2) {
            if ((d < 0 && s.y == 0) || (d > 0 && s.y + 1 >= h)) continue;
            std::uint32_t ny = d < 0 ? s.y - 1 : s.y + 1;
            const byte* next = mask.row(ny);
            bool inRun = false;
            for (std::uint32_t i = l; i < r; ++i) {
                bool open = Bit(next, i) != value;
                if (open && !inRun) stack.push_back({i, ny});
                inRun = open;
            }
        }
    }
    return changed;
}

}  // namespace Kor
