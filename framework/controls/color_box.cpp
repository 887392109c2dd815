#include "framework/controls/color_box.h"

namespace Kor {

void ColorBox::SetColor(plat::Color c) {
    if (c == color_) return;
    color_ = c;
    Invalidate();
}

CRect ColorBox::SwatchRect() const {
    CRect r(CPoint(), ClientSize());
    r.Deflate(3, 3);
    return r;
}

void ColorBox::HandlePaint(CDC* dc, const CRect&) {
    CRect r(CPoint(), ClientSize());
    dc->FillSolidRect(r, plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->DrawEdge(r, !ShownDown());
    CRect swatch = SwatchRect();
    if (swatch.IsEmpty()) return;
    dc->FillSolidRect(swatch, Enabled() ? color_ : plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->FrameRect(swatch, plat::GetSysColor(Enabled() ? plat::COLOR_WINDOWTEXT : plat::COLOR_BTNSHADOW));
}

}  // namespace Kor
