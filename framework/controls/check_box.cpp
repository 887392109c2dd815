#include "framework/controls/check_box.h"

#include "platform/keys.h"

namespace Kor {

CheckBox::CheckBox(const std::string& glyph, const std::string& mask) : glyph_(glyph, mask), grayed_(glyph, mask) {}

void CheckBox::SetState(int state) {
    if (state == state_) return;
    state_ = state;
    Invalidate();
}

CRect CheckBox::BoxRect() const {
    CRect area(CPoint(), ClientSize());
    area.Deflate(4, 2);
    int w = glyph_.Width() + 2, h = glyph_.Height() + 2;
    if (w > area.Width() || h > area.Height()) return CRect();
    int top = area.top + (area.Height() - h) / 2;
    return CRect(area.left, top, area.left + w, top + h);
}

CSize CheckBox::PreferredSize() const { return CSize(glyph_.Width() + 10, glyph_.Height() + 6); }

void CheckBox::HandleClick() {
    SetState(GetState() == Ticked ? Clear : Ticked);
    Button::HandleClick();
}

void CheckBox::HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (key == plat::VK_SPACE && Enabled()) return HandleClick();
    Button::HandleKeyDown(key, repeat, flags);
}

void CheckBox::HandlePaint(CDC* dc, const CRect&) {
    CRect box = BoxRect();
    if (box.IsEmpty()) return;
    dc->Draw3dRect(box, plat::GetSysColor(plat::COLOR_BTNSHADOW), plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT));
    CRect inner = box;
    inner.Deflate(1, 1);
    int state = GetState();
    if (!Enabled()) grayed_.Draw(*dc, inner, 0);
    else if (state == Ticked) glyph_.Draw(*dc, inner, 0);
    else if (state == Indeterminate) grayed_.Draw(*dc, inner, 0);
}

}  // namespace Kor
