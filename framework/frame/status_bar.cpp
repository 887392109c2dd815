#include "framework/frame/status_bar.h"

#include <algorithm>

namespace Kor {

void StatusBar::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    Invalidate();
}

void StatusBar::SetIndicator(const std::string& text) {
    if (text == indicator_) return;
    indicator_ = text;
    Invalidate();
}

void StatusBar::HandlePaint(CDC* dc, const CRect&) {
    CSize s = ClientSize();
    plat::Color shadow = plat::GetSysColor(plat::COLOR_BTNSHADOW), light = plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT);
    dc->FillSolidRect(CRect(CPoint(), s), plat::GetSysColor(plat::COLOR_BTNFACE));
    // The indicator pane grows to hold a longer text (a position, say).
    int width = std::max(kIndicatorWidth, dc->GetTextExtent(indicator_).cx + 8);
    CRect indicator(s.cx - width, 1, s.cx - 2, s.cy);
    CRect text(0, 1, indicator.left - 2, s.cy);
    dc->SetBkMode(plat::TRANSPARENT);
    dc->SetTextColor(plat::GetSysColor(plat::COLOR_BTNTEXT));
    unsigned fmt = plat::DT_LEFT | plat::DT_VCENTER | plat::DT_SINGLELINE | plat::DT_END_ELLIPSIS | plat::DT_NOPREFIX;
    for (auto [pane, str] : {std::make_pair(text, &text_), std::make_pair(indicator, &indicator_)}) {
        if (pane.IsEmpty()) continue;
        dc->Draw3dRect(pane, shadow, light);
        dc->DrawText(*str, CRect(pane.left + 3, pane.top, pane.right - 2, pane.bottom), fmt);
    }
}

}  // namespace Kor
