// A glyph drawn in the button colours of the system: its gray pixels are
// mapped piecewise linearly through 0 -> black, 128 -> button shadow,
// 192 -> button face, 255 -> button highlight; coloured pixels stay.
#pragma once

#include "framework/controls/glyph.h"

namespace Kor {

class SysColorGlyph : public Glyph {
public:
    SysColorGlyph() = default;
    SysColorGlyph(const std::string& bitmap, const std::string& mask = std::string()) { Load(bitmap, mask); }
    // The colour of gray level `v`.
    static plat::Color MapGray(int v);

protected:
    void Transform() override;
};

}  // namespace Kor
