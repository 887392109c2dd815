// A button that shows a colour: a sunken swatch. What a click does is up
// to the owner (SetOnClick) or a subclass.
#pragma once

#include "framework/controls/button.h"

namespace Kor {

class ColorBox : public Button {
public:
    explicit ColorBox(plat::Color c = plat::Color(255, 255, 255)) : color_(c) {}
    plat::Color GetColor() const { return color_; }
    void SetColor(plat::Color c);
    CSize PreferredSize() const override { return CSize(24, 18); }
    // The swatch: the client area less the edge.
    CRect SwatchRect() const;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    plat::Color color_;
};

}  // namespace Kor
