#include "framework/frame/panel.h"

#include "framework/frame/frame.h"
#include "framework/frame/panel_bar.h"
#include "platform/bitmap.h"

namespace Kor {

Panel::Panel(Frame& frame) : frame_(frame) {}

Panel::~Panel() {
    if (bar_) bar_->RemovePanel(*this);
}

void Panel::SetCaption(const std::string& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Invalidate(CRect(0, 0, ClientSize().cx, GetHeaderHeight()));
}

void Panel::SetAlignment(int alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    if (bar_) bar_->LayoutControls();
}

CFont Panel::HeaderFont() const {
    CFont f = *frame_.Font();
    f.weight = plat::FW_BOLD;
    return f;
}

int Panel::GetHeaderHeight() const {
    plat::Bitmap scratch(1, 1);
    CDC dc(scratch);
    dc.SelectFont(HeaderFont());
    return dc.GetTextExtent("A").cy + 4;
}

CSize Panel::GetMinWindowSize() const {
    CSize s = GetMinClientSize();
    return CSize(s.cx, s.cy + GetHeaderHeight());
}

CRect Panel::GetContentRect() const {
    CSize s = ClientSize();
    return CRect(0, std::min(GetHeaderHeight(), s.cy), s.cx, s.cy);
}

const CFont* Panel::Font() const { return frame_.Font(); }

void Panel::HandlePaint(CDC* dc, const CRect& rect) {
    CSize s = ClientSize();
    int header = GetHeaderHeight();
    dc->FillSolidRect(CRect(0, header, s.cx, s.cy), plat::GetSysColor(plat::COLOR_BTNFACE));
    // The header: the shadow colour a quarter darker, the caption in white.
    plat::Color shadow = plat::GetSysColor(plat::COLOR_BTNSHADOW);
    plat::Color headerColor(uint8_t(shadow.r * 3 / 4), uint8_t(shadow.g * 3 / 4), uint8_t(shadow.b * 3 / 4));
    CRect h(0, 0, s.cx, header);
    dc->FillSolidRect(h, headerColor);
    dc->Save();
    dc->SelectFont(HeaderFont());
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::Color(255, 255, 255));
    dc->DrawText(caption_, CRect(h.left + 4, h.top, h.right - 2, h.bottom),
                 plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX);
    dc->Restore();
    PaintChildren(dc, rect);
}

}  // namespace Kor
