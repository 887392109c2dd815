// A small image of a control (a tick, a tool) with an optional mask, both
// loaded by resource name. Drawing places it in a rectangle by alignment
// flags: bits 0-1 horizontal (1 left, 2 right, 3 centred), bits 2-3
// vertical (4 top, 8 bottom, 12 centred); 0 puts it at the top-left corner.
// With a mask, masked pixels are copied and the others OR-ed on (so black
// ones leave the background).
#pragma once

#include "platform/bitmap.h"
#include "platform/dc.h"

#include <string>

namespace Kor {

enum : unsigned {
    GLYPH_LEFT = 1, GLYPH_RIGHT = 2, GLYPH_HCENTER = 3,
    GLYPH_TOP = 4, GLYPH_BOTTOM = 8, GLYPH_VCENTER = 12,
    GLYPH_CENTER = GLYPH_HCENTER | GLYPH_VCENTER,
};

class Glyph {
public:
    Glyph() = default;
    Glyph(const std::string& bitmap, const std::string& mask = std::string()) { Load(bitmap, mask); }
    virtual ~Glyph() = default;

    // Releases what was loaded and loads `bitmap` (and `mask`, when named).
    virtual bool Load(const std::string& bitmap, const std::string& mask = std::string());
    // Takes images made elsewhere (a null mask: none).
    bool Assign(plat::Bitmap bitmap, plat::Bitmap mask = plat::Bitmap());

    bool IsLoaded() const { return !bitmap_.IsNull(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const plat::Bitmap& GetBitmap() const { return bitmap_; }
    const plat::Bitmap* GetMask() const { return mask_.IsNull() ? nullptr : &mask_; }

    void Draw(plat::DC& dc, const plat::Rect& r, unsigned align) const;

protected:
    // Called once after each load, to recolour the image.
    virtual void Transform() {}
    plat::Bitmap bitmap_, mask_;

private:
    int width_ = 0, height_ = 0;
};

}  // namespace Kor
