// A glyph in the disabled look: its dark opaque pixels become button
// shadow with a highlight one pixel below and to the right, its light ones
// vanish. Opaque means set in the mask; without a mask every pixel is.
#pragma once

#include "framework/controls/glyph.h"

namespace Kor {

class GrayedGlyph : public Glyph {
public:
    GrayedGlyph() = default;
    GrayedGlyph(const std::string& bitmap, const std::string& mask = std::string()) { Load(bitmap, mask); }

protected:
    void Transform() override;
};

}  // namespace Kor
