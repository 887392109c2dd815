#include "framework/tools/circle_tool.h"

#include "framework/views/zoom_view.h"

#include <algorithm>
#include <cmath>

namespace Kor {

CircleTool::CircleTool(ZoomView& bench, int size) : WireTool(bench), size_(std::clamp(size, kMinSize, kMaxSize)) {
    CircleBitmap(circle_, size_);
}

void CircleTool::CircleBitmap(img::bitmap& bitmap, int size) {
    size = std::clamp(size, kMinSize, kMaxSize);
    const std::uint32_t side = std::uint32_t(2 * size);
    bitmap.resize(side, side, 0);
    bitmap.fill(false);  // a reused buffer keeps old pixels
    const double c = size - 0.5, limit = double(size) * size;
    for (std::uint32_t y = 0; y < side; ++y)
        for (std::uint32_t x = 0; x < side; ++x) {
            double dx = x - c, dy = y - c;
            if (dx * dx + dy * dy < limit) bitmap.set(x, y, true);
        }
}

types::point<int> CircleTool::GetWireBenchTopLeft(CPoint p) const {
    types::point<float> d = GetBench().ToDocument(p);
    return types::point<int>(int(std::floor(d.x + 0.5)) - size_, int(std::floor(d.y + 0.5)) - size_);
}

types::rect<int> CircleTool::GetWireBenchRect(CPoint p) const {
    return types::rect<int>(GetWireBenchTopLeft(p), types::extent<int>(GetDoubleSize(), GetDoubleSize()));
}

void CircleTool::IncreaseSize(int delta) {
    int size = int(std::clamp<long long>(static_cast<long long>(size_) + delta, kMinSize, kMaxSize));
    if (size == size_) return;
    bool shown = IsWireVisible();
    if (shown) HideWire();
    size_ = size;
    CircleBitmap(circle_, size_);
    if (shown) ShowWire();
}

CRect CircleTool::GetWireRect(CPoint p) const {
    double r = std::min(double(size_) * GetBench().GetZoom(), ZoomView::kMaxWindowCoordinate);
    int ri = int(r);
    return CRect(p.x - ri, p.y - ri, p.x + ri + 1, p.y + ri + 1);
}

void CircleTool::DrawWire(CDC* dc, CPoint p, int style) {
    plat::Pen pen = dc->SelectPen(plat::Pen(plat::Pen::Solid, style, plat::Color(0, 0, 0)));
    plat::Brush brush = dc->SelectBrush(plat::Brush::Hollow());
    int mix = dc->SetROP2(plat::R2_NOTXORPEN);
    dc->Ellipse(GetWireRect(p));
    dc->SetROP2(mix);
    dc->SelectBrush(brush);
    dc->SelectPen(pen);
}

}  // namespace Kor
