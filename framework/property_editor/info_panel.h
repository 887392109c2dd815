// The panel below the property list that explains the active row: the
// button face, the "INFO" sign at its top-left corner and the hint of the
// active row's property for the edited objects beside it, word-wrapped with
// a word ellipsis, or, when the panel is exactly kOneLineHeight high, on
// one centred line with an end ellipsis. It has its own font.
#pragma once

#include "framework/controls/sys_color_glyph.h"
#include "framework/windows/widget.h"

#include <string>

namespace Kor {

class PEditor;

class InfoPanel : public Widget {
public:
    static constexpr int kOneLineHeight = 19;

    explicit InfoPanel(PEditor& editor);
    const CFont* Font() const override { return &font_; }
    void HandlePaint(CDC* dc, const CRect& rect) override;
    // Where the hint goes (control coordinates).
    CRect TextRect() const;

private:
    PEditor& editor_;
    CFont font_;
    SysColorGlyph glyph_;
};

}  // namespace Kor
