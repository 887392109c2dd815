#include "framework/controls/glyph.h"

#include "framework/controls/pixel_art.h"

namespace Kor {

bool Glyph::Load(const std::string& bitmap, const std::string& mask) {
    return Assign(LoadGlyphBitmap(bitmap), mask.empty() ? plat::Bitmap() : LoadGlyphBitmap(mask));
}

bool Glyph::Assign(plat::Bitmap bitmap, plat::Bitmap mask) {
    bitmap_ = std::move(bitmap);
    mask_ = std::move(mask);
    width_ = bitmap_.IsNull() ? 0 : bitmap_.Width();
    height_ = bitmap_.IsNull() ? 0 : bitmap_.Height();
    if (!bitmap_.IsNull()) Transform();
    return !bitmap_.IsNull();
}

void Glyph::Draw(plat::DC& dc, const plat::Rect& r, unsigned align) const {
    if (!IsLoaded()) return;
    int x = r.left, y = r.top;
    switch (align & 3) {
    case GLYPH_RIGHT: x = r.right - width_; break;
    case GLYPH_HCENTER: x = r.left + (r.Width() - width_) / 2; break;
    default: break;
    }
    switch (align & 12) {
    case GLYPH_BOTTOM: y = r.bottom - height_; break;
    case GLYPH_VCENTER: y = r.top + (r.Height() - height_) / 2; break;
    default: break;
    }
    if (const plat::Bitmap* m = GetMask()) dc.MaskBlt(x, y, width_, height_, bitmap_, 0, 0, *m, 0, 0);
    else dc.BitBlt(x, y, width_, height_, bitmap_, 0, 0);
}

}  // namespace Kor
