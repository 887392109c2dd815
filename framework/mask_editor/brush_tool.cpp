#include "framework/mask_editor/brush_tool.h"

#include "framework/mask_editor/mask_editor.h"
#include "framework/views/zoom_view.h"

#include <algorithm>
#include <cmath>

namespace Kor {

namespace {

using byte = img::bitmap::byte;

// Eight stamp pixels from x = `start` on (bit 7 is x = start); pixels left
// of the row or past its bytes read as clear.
byte StampByte(const byte* row, long long rowBytes, long long start) {
    long long index = start >= 0 ? start / 8 : -((-start + 7) / 8);  // floor(start / 8)
    int shift = int(start - index * 8);
    auto at = [&](long long i) -> unsigned { return i >= 0 && i < rowBytes ? row[i] : 0u; };
    unsigned pair = at(index) << 8 | at(index + 1);
    return byte((pair << shift) >> 8);
}

// A coordinate of the document as a whole pixel, rounded to the nearest
// (halves up), kept where 64-bit sums cannot overflow.
long long Nearest(float v) {
    double r = std::floor(double(v) + 0.5);
    if (!(r > -1e15)) return -1000000000000000LL;
    if (!(r < 1e15)) return 1000000000000000LL;
    return static_cast<long long>(r);
}

}  // namespace

BrushTool::BrushTool(MaskEditor& editor, int size) : CircleTool(editor.GetBench(), size), editor_(&editor) {}

void BrushTool::Stamp(img::bitmap& mask, const img::bitmap& stamp, long long left, long long top, bool paint) {
    const long long width = mask.width(), height = mask.height();
    const long long x0 = std::max(left, 0LL), x1 = std::min(left + (long long)stamp.width(), width);
    const long long y0 = std::max(top, 0LL), y1 = std::min(top + (long long)stamp.height(), height);
    if (x0 >= x1 || y0 >= y1 || mask.size() == 0 || stamp.size() == 0) return;
    const long long stampBytes = img::bitmap::row_bytes(stamp.width());
    for (long long y = y0; y < y1; ++y) {
        const byte* from = stamp.row(std::uint32_t(y - top));
        byte* to = mask.row(std::uint32_t(y));
        for (long long b = x0 / 8; b <= (x1 - 1) / 8; ++b) {
            // The bits of this byte that lie within [x0, x1).
            long long lo = std::max(b * 8, x0) - b * 8, hi = std::min(b * 8 + 8, x1) - b * 8;
            byte within = byte((0xFFu >> lo) & (0xFFu << (8 - hi)));
            byte bits = byte(StampByte(from, stampBytes, b * 8 - left) & within);
            if (paint)
                to[b] |= bits;
            else
                to[b] &= byte(~bits);
        }
    }
}

void BrushTool::Select(CPoint p, int buttons) {
    if ((buttons & LeftButton) && (buttons & RightButton)) return;
    if (!editor_->IsOpen()) return;
    types::point<float> d = GetBench().ToDocument(p);
    long long left = Nearest(d.x) - GetSize(), top = Nearest(d.y) - GetSize();
    Stamp(editor_->GetBuffer(), GetCircleBitmap(), left, top, (buttons & LeftButton) != 0);
}

void BrushTool::Synchronize() { editor_->Synchronize("Brush"); }

}  // namespace Kor
