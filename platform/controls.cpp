#include "platform/controls.h"

#include "platform/internal.h"

#include <algorithm>

namespace plat {

namespace {
void NotifyParent(Wnd& w, unsigned code) {
    if (Wnd* p = w.GetParentWnd()) WndAccess::Command(*p, w.GetId(), code, &w);
}

void UseFont(DC& dc, const Wnd& w) { dc.SelectFont(w.GetFont() ? *w.GetFont() : DefaultGuiFont()); }
}  // namespace

// --- StaticText ---

bool StaticText::OnEraseBkgnd(DC& dc) {
    Wnd* p = GetParentWnd();
    dc.FillSolidRect(GetClientRect(), p ? p->GetBackground() : GetBackground());
    return true;
}

void StaticText::OnPaint(DC& dc, const Rect&) {
    UseFont(dc, *this);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    unsigned align = (GetStyle() & SS_CENTER) ? DT_CENTER : (GetStyle() & SS_RIGHT) ? DT_RIGHT : DT_LEFT;
    dc.DrawText(GetText(), GetClientRect(), align | DT_WORDBREAK);
}

// --- PushButton ---

void PushButton::OnPaint(DC& dc, const Rect&) {
    Rect r = GetClientRect();
    bool down = IsPressed();
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    if (GetStyle() & BS_DEFPUSHBUTTON) {
        dc.FrameRect(r, GetSysColor(COLOR_WINDOWFRAME));
        r.Deflate(1, 1);
    }
    if (down) {
        dc.FrameRect(r, GetSysColor(COLOR_BTNSHADOW));
    } else {
        dc.DrawEdge(r, false);
    }
    Rect text = r;
    if (down) text.Offset(1, 1);
    UseFont(dc, *this);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetSysColor(IsWindowEnabled() ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    dc.DrawText(GetText(), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (GetFocus() == this) dc.DrawFocusRect(Rect(r).Deflate(3, 3));
}

void PushButton::OnLButtonDown(unsigned, Point) {
    SetFocus();
    pressed_ = inside_ = true;
    SetCapture();
    InvalidateAll(false);
}

void PushButton::OnMouseMove(unsigned, Point p) {
    if (!pressed_) return;
    bool in = GetClientRect().Contains(p);
    if (in == inside_) return;
    inside_ = in;
    InvalidateAll(false);
}

void PushButton::OnLButtonUp(unsigned, Point p) {
    if (!pressed_) return;
    bool click = GetClientRect().Contains(p);
    pressed_ = inside_ = false;
    ReleaseCapture();
    InvalidateAll(false);
    if (click) NotifyParent(*this, BN_CLICKED);
}

void PushButton::OnCaptureChanged(Wnd* next) {
    if (next != this && pressed_) {
        pressed_ = inside_ = false;
        InvalidateAll(false);
    }
}

void PushButton::OnKeyDown(unsigned key, unsigned, unsigned) {
    if (key == VK_SPACE) Click();
}

void PushButton::Click() {
    if (IsWindowEnabled()) NotifyParent(*this, BN_CLICKED);
}

// --- ProgressBar ---

void ProgressBar::SetRange(int low, int high) {
    low_ = low;
    high_ = std::max(high, low);
    pos_ = std::clamp(pos_, low_, high_);
    InvalidateAll(false);
}

void ProgressBar::SetPos(int pos) {
    pos = std::clamp(pos, low_, high_);
    if (pos == pos_) return;
    pos_ = pos;
    InvalidateAll(false);
}

void ProgressBar::OnPaint(DC& dc, const Rect&) {
    Rect r = GetClientRect();
    dc.Draw3dRect(r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    r.Deflate(1, 1);
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    if (high_ > low_) {
        int w = int((long long)r.Width() * (pos_ - low_) / (high_ - low_));
        dc.FillSolidRect(Rect(r.left, r.top, r.left + w, r.bottom), GetSysColor(COLOR_HIGHLIGHT));
    }
}

// --- IconControl ---

void IconControl::SetStandardIcon(Standard s) {
    standard_ = s;
    image_ = Bitmap();
    InvalidateAll(true);
}

void IconControl::SetImage(const Bitmap& image) {
    image_ = image;
    standard_ = None;
    InvalidateAll(true);
}

void IconControl::OnPaint(DC& dc, const Rect&) {
    if (!image_.IsNull()) dc.DrawImage(0, 0, image_);
    else DrawStandardIcon(dc, GetClientRect(), standard_);
}

void DrawStandardIcon(DC& dc, const Rect& r0, IconControl::Standard icon) {
    if (icon == IconControl::None) return;
    int side = std::min(r0.Width(), r0.Height());
    Rect r(r0.TopLeft(), Size(side, side));
    Color fill = icon == IconControl::Error     ? Color(200, 0, 0)
                 : icon == IconControl::Warning ? Color(240, 200, 0)
                                                : Color(0, 70, 200);
    dc.Save();
    dc.SelectPen(Pen(Pen::Solid, 1, Color(0, 0, 0)));
    dc.SelectBrush(Brush(fill));
    if (icon == IconControl::Warning)
        dc.Polygon({{r.left + side / 2, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}});
    else
        dc.Ellipse(r);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(icon == IconControl::Warning ? Color(0, 0, 0) : Color(255, 255, 255));
    dc.SelectFont(Font("DejaVu Sans", std::max(side * 2 / 3, 6), FW_BOLD));
    const char* mark = icon == IconControl::Error ? "X" : icon == IconControl::Question ? "?" : icon == IconControl::Warning ? "!" : "i";
    Rect text = r;
    if (icon == IconControl::Warning) text.top += side / 6;
    dc.DrawText(mark, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    dc.Restore();
}

// --- ScrollBarCtrl ---

ScrollBarLayout ScrollBarCtrl::Layout() const {
    ScrollBarLayout l;
    l.box = GetClientRect();
    l.vertical = IsVertical();
    l.info = info_;
    return l;
}

void ScrollBarCtrl::SetScrollInfo(const ScrollInfo& info, bool redraw) {
    info_ = info;
    info_.pos = std::clamp(info_.pos, info_.min, std::max(info_.min, info_.MaxPos()));
    if (redraw) InvalidateAll(false);
}

int ScrollBarCtrl::SetScrollPos(int pos, bool redraw) {
    int old = info_.pos;
    ScrollInfo si = info_;
    si.pos = pos;
    SetScrollInfo(si, redraw);
    return old;
}

void ScrollBarCtrl::Notify(unsigned code, int pos) {
    if (Wnd* p = GetParentWnd()) WndAccess::Scroll(*p, IsVertical(), code, unsigned(pos), this);
}

void ScrollBarCtrl::OnPaint(DC& dc, const Rect&) { Layout().Paint(dc, drag_.part, IsWindowEnabled()); }

void ScrollBarCtrl::OnLButtonDown(unsigned, Point p) {
    SetCapture();
    WndGuard guard(this);
    drag_.Press(Layout(), p, [this](unsigned c, int pos) { Notify(c, pos); });
    if (guard) InvalidateAll(false);
}

void ScrollBarCtrl::OnMouseMove(unsigned, Point p) {
    drag_.Move(Layout(), p, [this](unsigned c, int pos) { Notify(c, pos); });
}

void ScrollBarCtrl::OnLButtonUp(unsigned, Point) {
    ScrollBarDrag drag = drag_;
    drag_ = ScrollBarDrag();
    ReleaseCapture();
    InvalidateAll(false);
    drag.Release([this](unsigned c, int pos) { Notify(c, pos); });
}

void ScrollBarCtrl::OnCaptureChanged(Wnd* next) {
    if (next != this && drag_.Active()) {
        drag_ = ScrollBarDrag();
        InvalidateAll(false);
    }
}

}  // namespace plat
