// A check box: a sunken box holding a tick glyph. Its state is 0 (clear),
// 1 (ticked) or 2 (indeterminate, shown with the grayed tick); a click
// ticks a clear or indeterminate box and clears a ticked one. A disabled
// box shows the grayed tick.
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/grayed_glyph.h"
#include "framework/controls/sys_color_glyph.h"

namespace Kor {

class CheckBox : public Button {
public:
    enum State { Clear = 0, Ticked = 1, Indeterminate = 2 };

    CheckBox(const std::string& glyph = "KORW_CHECKBOX", const std::string& mask = "KORW_CHECKBOX_MASK");
    int GetState() const { return state_; }
    void SetState(int state);
    // The box's place in the control, or an empty rectangle when it does not fit.
    CRect BoxRect() const;

    CSize PreferredSize() const override;
    void HandleClick() override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    SysColorGlyph glyph_;
    GrayedGlyph grayed_;
    int state_ = Clear;
};

}  // namespace Kor
