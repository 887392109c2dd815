#include "framework/controls/color_box.h"

namespace Kor {

void ColorBox::SetColor(plat::Color c) {
    if (c == color_) return;
    color_ = c;
    Invalidate();
}

bool ColorBox::GetColor(unsigned long& rgb) const {
    rgb = color_.Packed();
    return true;
}

void ColorBox::SetColor(unsigned long rgb) { SetColor(plat::Color::FromPacked(std::uint32_t(rgb & 0xFFFFFFu))); }

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
    unsigned long rgb = 0;
    bool shown = Enabled() && GetColor(rgb);
    dc->FillSolidRect(swatch, shown ? plat::Color::FromPacked(std::uint32_t(rgb & 0xFFFFFFu))
                                    : plat::GetSysColor(plat::COLOR_BTNFACE));
    dc->FrameRect(swatch, plat::GetSysColor(Enabled() ? plat::COLOR_WINDOWTEXT : plat::COLOR_BTNSHADOW));
}

}  // namespace Kor
