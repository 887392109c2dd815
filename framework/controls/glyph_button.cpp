#include "framework/controls/glyph_button.h"

namespace Kor {

GlyphButton::GlyphButton(const std::string& glyph, const std::string& mask) { SetGlyph(glyph, mask); }

void GlyphButton::SetGlyph(const std::string& glyph, const std::string& mask) {
    glyph_.Load(glyph, mask);
    grayed_.Load(glyph, mask);
    Invalidate();
}

CSize GlyphButton::PreferredSize() const { return CSize(glyph_.Width() + 6, glyph_.Height() + 6); }

void GlyphButton::HandlePaint(CDC* dc, const CRect&) {
    CRect r = PaintFace(dc);
    (Enabled() ? static_cast<const Glyph&>(glyph_) : grayed_).Draw(*dc, r, GLYPH_CENTER);
}

}  // namespace Kor
