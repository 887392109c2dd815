#include "framework/windows/control.h"

#include "framework/windows/container.h"
#include "framework/events/event.h"
#include "platform/wnd.h"

namespace Kor {

Control::~Control() {
    if (parent_) parent_->RemoveControl(this);
}

CPoint Control::GetWindowOffset() const {
    if (!parent_) return CPoint();
    return parent_->GetWindowOffset() + Bounds().TopLeft();
}

CRect Control::GetWindowRect() const {
    if (!parent_) return CRect();
    return Bounds().Offsetted(parent_->GetWindowOffset());
}

plat::Wnd* Control::GetWindow() const { return parent_ ? parent_->GetWindow() : nullptr; }

WindowTipCtrl* Control::GetHintWindow() const { return parent_ ? parent_->GetHintWindow() : nullptr; }

void Control::Paint(CDC* dc, const CRect& rect) {
    dc->Save();
    if (const CFont* f = Font()) dc->SelectFont(*f);
    HandlePaint(dc, rect);
    dc->Restore();
}

std::string Control::HintText() const { return parent_ ? parent_->HintText() : std::string(); }

const CFont* Control::Font() const { return parent_ ? parent_->Font() : nullptr; }

void Control::CaptureMouse() {
    if (parent_) parent_->SetCaptureControl(this);
}

void Control::ReleaseMouse() {
    if (parent_) parent_->SetCaptureControl(nullptr);
}

bool Control::HasCapture() const { return parent_ && parent_->GetCaptureControl() == this; }

void Control::SetFocus() {
    if (!parent_) return;
    if (CanGetFocus()) parent_->SetFocusControl(this);
    else parent_->SetFocus();
}

bool Control::HasFocus() const { return parent_ && parent_->GetFocusControl() == this; }

void Control::Invalidate(bool immediate) {
    CSize s = ClientSize();
    Invalidate(CRect(0, 0, s.cx, s.cy), immediate);
}

void Control::Invalidate(const CRect& r, bool immediate) {
    plat::Wnd* w = GetWindow();
    if (!w) return;
    w->InvalidateRect(r.Offsetted(GetWindowOffset()), false);
    if (immediate) w->UpdateWindow();
}

void Control::InvalidateParent() {
    if (parent_) parent_->Invalidate();
}

void Control::FontChanged() {
    FontEvent e;
    ProcessEvent(e);
}

bool Control::IsWithin(const Control* ancestor) const {
    for (const Control* c = this; c; c = c->parent_)
        if (c == ancestor) return true;
    return false;
}

void Control::ProcessEvent(Event& e) { e.DeliverTo(*this); }

}  // namespace Kor
