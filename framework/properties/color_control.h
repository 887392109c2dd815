// The control of a colour property (img::BGRA<unsigned char>): a colour box
// showing the objects' common colour (no swatch while they disagree). A
// click (or Space, Enter or F4 while it has the keys) opens a palette of
// standard colours below it; choosing one writes it to every object, with
// the alpha of the first object's colour (opaque when it has none).
#pragma once

#include "contour/bgra.h"
#include "framework/controls/color_box.h"
#include "framework/controls/popup_chooser.h"
#include "framework/properties/typed_control.h"

namespace Kor {

typedef img::BGRA<unsigned char> ColorValue;

// The colours the palette offers, as 0x00RRGGBB.
const std::vector<unsigned long>& PaletteColors();

template <>
class TypedControl<ColorValue> : public TypedControlBase<ColorValue>, public ColorBox {
public:
    TypedControl(BasicProperty<ColorValue>& property, const ObjectList& objects);

    using ColorBox::GetColor;
    using ColorBox::SetColor;
    bool GetColor(unsigned long& rgb) const override;
    void SetColor(unsigned long rgb) override;

    void OpenPalette();
    bool IsPaletteOpen() const { return chooser_.IsOpen(); }
    plat::PopupList& GetPalette() { return chooser_.GetList(); }

    bool CanGetFocus() const override { return IsPaletteOpen(); }
    void HandleClick() override { OpenPalette(); }
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandleUpdateUI() override { FollowProperty(*this); }
    void HandleActivate() override { chooser_.Follow(*this); }
    void HandleVisible(bool) override { chooser_.Follow(*this); }
    void HandleEnable(bool) override { chooser_.Follow(*this); }

private:
    PopupChooser chooser_;
};

}  // namespace Kor
