#include "framework/windows/container.h"

#include "framework/windows/box_layout.h"
#include "framework/events/event.h"

#include <vector>

namespace Kor {

namespace {
// Gives `e` to `target` with its point moved into the target's coordinates.
void GiveTranslated(MouseEvent& e, Control* target) {
    CPoint saved = e.point;
    e.point = saved - target->Bounds().TopLeft();
    target->ProcessEvent(e);
    e.point = saved;
}
}  // namespace

Container::~Container() {
    // Leave the parent while the children are still attached, so that the
    // window can tell whether its focus or capture lay inside this container.
    if (Container* p = GetParent()) p->RemoveControl(this);
    for (Control* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    hover_ = nullptr;
}

void Container::AddControl(Control* c) {
    if (!c || c->parent_ == this) return;
    if (c->parent_) c->parent_->RemoveControl(c);
    controls_.push_back(c);
    c->parent_ = this;
}

void Container::RemoveControl(Control* c) {
    if (!c || c->parent_ != this) return;
    if (hover_ == c) hover_ = nullptr;
    ForgetControl(c);
    controls_.remove(c);
    c->parent_ = nullptr;
}

void Container::ForgetControl(Control* c) {
    if (Container* p = GetParent()) p->ForgetControl(c);
}

Control* Container::ChildFromPoint(const CPoint& p) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Bounds().Contains(p)) return *it;
    return nullptr;
}

Control* Container::GetCaptureControl() const { return GetParent() ? GetParent()->GetCaptureControl() : nullptr; }
Control* Container::GetFocusControl() const { return GetParent() ? GetParent()->GetFocusControl() : nullptr; }

void Container::SetCaptureControl(Control* c) {
    if (Container* p = GetParent()) p->SetCaptureControl(c);
}

void Container::SetFocusControl(Control* c) {
    if (Container* p = GetParent()) p->SetFocusControl(c);
}

void Container::LayoutControls() {
    if (layout_) layout_->Apply(*this, CRect(CPoint(), ClientSize()));
}

void Container::ProcessEvent(Event& e) {
    switch (e.GetRoute()) {
        case EventRoute::PointerEnter: {
            MouseEvent& enter = AsMouseEvent(e);
            hover_ = ChildFromPoint(enter.point);
            if (hover_)
                GiveTranslated(enter, hover_);
            else
                HandleItself(e);
            return;
        }
        case EventRoute::PointerLeave:
            if (Control* h = hover_) {
                h->ProcessEvent(e);
                if (hover_ == h) hover_ = nullptr;
            } else {
                HandleItself(e);
            }
            return;
        case EventRoute::Cursor:
            if (GetCaptureControl() != this && hover_) {
                GiveTranslated(AsMouseEvent(e), hover_);
                if (AsCursorEvent(e).handled) return;
            }
            HandleItself(e);
            return;
        case EventRoute::Command:
            for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) {
                c->ProcessEvent(e);
                if (AsCommandEvent(e).handled) break;
            }
            return;
        case EventRoute::Pointer:
            if (GetCaptureControl() == this)
                HandleItself(e);
            else
                RoutePointer(AsMouseEvent(e));
            return;
        case EventRoute::Window:
            for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) c->ProcessEvent(e);
            return;
        case EventRoute::Broadcast:
            HandleItself(e);
            for (Control* c : std::vector<Control*>(controls_.begin(), controls_.end())) c->ProcessEvent(e);
            return;
        case EventRoute::Key:
        case EventRoute::Self:
            HandleItself(e);
            return;
    }
}

void Container::RoutePointer(MouseEvent& e) {
    Control* child = ChildFromPoint(e.point);
    if (child != hover_) {
        MouseLeaveEvent leave;
        if (Control* old = hover_)
            old->ProcessEvent(leave);
        else
            HandleItself(leave);  // the pointer leaves the container's own area
        hover_ = child;
        MouseEnterEvent enter(e.flags, e.point);
        if (child)
            GiveTranslated(enter, child);
        else
            HandleItself(enter);
    }
    if (hover_)
        GiveTranslated(e, hover_);
    else
        HandleItself(e);
}

void Container::HandlePaint(CDC* dc, const CRect& rect) { PaintChildren(dc, rect); }

void Container::PaintChildren(CDC* dc, const CRect& rect) {
    plat::Wnd* host = GetWindow();
    for (Control* c : controls_) {
        // Children with their own platform window paint themselves.
        if (!c->Visible() || c->GetWindow() != host) continue;
        CRect b = c->Bounds();
        CRect area = rect.Intersection(b);
        if (area.IsEmpty()) continue;
        dc->Save();
        dc->OffsetViewportOrg(b.left, b.top);
        dc->IntersectClipRect(CRect(CPoint(), b.GetSize()));
        c->Paint(dc, area.Offsetted(-b.TopLeft()));
        dc->Restore();
    }
}

}  // namespace Kor
