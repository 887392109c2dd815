// A button that shows a glyph: in the system's button colours while
// enabled, grayed while disabled.
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/grayed_glyph.h"
#include "framework/controls/sys_color_glyph.h"

namespace Kor {

class GlyphButton : public Button {
public:
    GlyphButton() = default;
    GlyphButton(const std::string& glyph, const std::string& mask = std::string());
    void SetGlyph(const std::string& glyph, const std::string& mask = std::string());
    void SetHint(const std::string& hint) { hint_ = hint; }
    std::string HintText() const override { return hint_.empty() ? Button::HintText() : hint_; }
    CSize PreferredSize() const override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    SysColorGlyph glyph_;
    GrayedGlyph grayed_;
    std::string hint_;
};

}  // namespace Kor
