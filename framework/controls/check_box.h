// A check box: a sunken box holding a tick glyph. Its state is 0 (clear),
// 1 (ticked) or 2 (indeterminate, shown with the grayed tick); a click
// (or Space while it has the keys) ticks a clear or indeterminate box and
// clears a ticked one. A disabled box shows the grayed tick. The state is
// read through GetState and changed through HandleClick, so a subclass can
// take both from elsewhere (a property's value).
#pragma once

#include "framework/controls/button.h"
#include "framework/controls/grayed_glyph.h"
#include "framework/controls/sys_color_glyph.h"

namespace Kor {

class CheckBox : public Button {
public:
    enum State { Clear = 0, Ticked = 1, Indeterminate = 2 };

    CheckBox(const std::string& glyph = "KORW_CHECKBOX", const std::string& mask = "KORW_CHECKBOX_MASK");
    // What the box shows; the default is the state it stores.
    virtual int GetState() const { return state_; }
    void SetState(int state);
    // The box's place in the control, or an empty rectangle when it does not fit.
    CRect BoxRect() const;

    CSize PreferredSize() const override;
    void HandleClick() override;
    void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

private:
    SysColorGlyph glyph_;
    GrayedGlyph grayed_;
    int state_ = Clear;
};

}  // namespace Kor
