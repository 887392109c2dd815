#include "framework/frame/panel_bar.h"

#include "framework/frame/frame.h"
#include "framework/frame/panel.h"

#include <algorithm>

namespace Kor {

PanelBar::~PanelBar() {
    for (Panel* p : panels_) p->bar_ = nullptr;
}

void PanelBar::AddPanel(Panel& panel) {
    if (panel.bar_ == this) return;
    if (panel.bar_) panel.bar_->RemovePanel(panel);
    AddControl(&panel);
    panel.bar_ = this;
    panels_.push_back(&panel);
    LayoutControls();
    // The bar's minimum size may have changed with it.
    if (frame_.Exists()) frame_.RecalcLayout();
}

void PanelBar::RemovePanel(Panel& panel) {
    if (panel.bar_ != this) return;
    RemoveControl(&panel);
    panel.bar_ = nullptr;
    panels_.erase(std::remove(panels_.begin(), panels_.end(), &panel), panels_.end());
    LayoutControls();
    if (frame_.Exists()) frame_.RecalcLayout();
}

CSize PanelBar::GetMinWindowSize() const {
    int w = 0, h = 0;
    for (const Panel* p : panels_) {
        if (!p->Visible()) continue;
        CSize s = p->GetMinWindowSize();
        switch (p->GetAlignment()) {
            case Panel::Left:
            case Panel::Right:
                w += s.cx;
                h = std::max(h, s.cy);
                break;
            case Panel::Top:
            case Panel::Bottom:
                h += s.cy;
                w = std::max(w, s.cx);
                break;
            default:  // fill: its size on top of what the others need
                w += s.cx;
                h += s.cy;
                break;
        }
    }
    return CSize(w, h);
}

void PanelBar::LayoutControls() {
    CRect rest(CPoint(), ClientSize());
    for (Panel* p : panels_) {
        if (!p->Visible()) continue;
        if (rest.IsEmpty()) {
            p->SetBounds(CRect());
            continue;
        }
        CSize s = p->GetMinWindowSize();
        CRect r = rest;
        switch (p->GetAlignment()) {
            case Panel::Left:
                r.right = std::min(rest.right, rest.left + s.cx);
                rest.left = r.right;
                break;
            case Panel::Right:
                r.left = std::max(rest.left, rest.right - s.cx);
                rest.right = r.left;
                break;
            case Panel::Top:
                r.bottom = std::min(rest.bottom, rest.top + s.cy);
                rest.top = r.bottom;
                break;
            case Panel::Bottom:
                r.top = std::max(rest.top, rest.bottom - s.cy);
                rest.bottom = r.top;
                break;
            default:
                rest = CRect(rest.left, rest.top, rest.left, rest.top);
                break;
        }
        p->SetBounds(r);
    }
}

void PanelBar::HandleVisible(bool) { frame_.RecalcLayout(); }

const CFont* PanelBar::Font() const { return frame_.Font(); }

void PanelBar::HandlePaint(CDC* dc, const CRect& rect) {
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
    PaintChildren(dc, rect);
}

}  // namespace Kor
