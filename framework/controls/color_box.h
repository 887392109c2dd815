// A button that shows a colour: a sunken swatch. What a click does is up
// to the owner (SetOnClick) or a subclass. The colour is read and written
// through GetColor(unsigned long&) and SetColor(unsigned long), as
// 0x00RRGGBB; a subclass may take it from elsewhere (a property's value),
// and a colour it cannot give (objects that disagree) shows no swatch.
#pragma once

#include "framework/controls/button.h"

namespace Kor {

class ColorBox : public Button {
public:
    explicit ColorBox(plat::Color c = plat::Color(255, 255, 255)) : color_(c) {}
    // The stored colour.
    plat::Color GetColor() const { return color_; }
    void SetColor(plat::Color c);
    // The colour shown, as 0x00RRGGBB; false: none.
    virtual bool GetColor(unsigned long& rgb) const;
    // A chosen colour, as 0x00RRGGBB; the default stores it.
    virtual void SetColor(unsigned long rgb);
    CSize PreferredSize() const override { return CSize(24, 18); }
    // The swatch: the client area less the edge.
    CRect SwatchRect() const;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    plat::Color color_;
};

}  // namespace Kor
