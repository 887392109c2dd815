// Update regions, paint dispatch, the non-client part and its scroll bars,
// scrolling window contents, and the DCs of windows.
#include "platform/internal.h"

#include <cairo.h>
#include "platform/scroll_bar_layout.h"

#include <algorithm>

namespace plat {

// --- Invalidation ---

void Wnd::InvalidateRect(const Rect& r, bool erase) {
    if (!created_ || messageOnly_) return;
    Rect c = r.Intersection(GetClientRect());
    if (c.IsEmpty()) return;
    update_.Union(c);
    erase_ = erase_ || erase;
    TheImpl().backend->RequestPaint();
}

void Wnd::InvalidateAll(bool erase) { InvalidateRect(GetClientRect(), erase); }

void Wnd::InvalidateTree() {
    std::vector<Wnd*> todo{this};
    while (!todo.empty()) {
        Wnd* w = todo.back();
        todo.pop_back();
        w->ncDirty_ = true;
        w->InvalidateAll(true);
        todo.insert(todo.end(), w->children_.begin(), w->children_.end());
    }
}

void Wnd::InvalidateRegion(const Region& r, bool erase) {
    for (const Rect& rect : r.Rects()) InvalidateRect(rect, erase);
}

void Wnd::ValidateRect(const Rect& r) { update_.Subtract(r); }

bool Wnd::GetUpdateRect(Rect& box) const {
    box = update_.Bounds();
    return !update_.IsEmpty();
}

bool Wnd::OnEraseBkgnd(DC& dc) {
    dc.FillSolidRect(GetClientRect(), background_);
    return true;
}

// --- What of a window shows ---

Region Wnd::VisibleRegion(bool clientOnly) const {
    if (!IsWindowVisible()) return Region();
    const Wnd* top = this;
    while (top->parent_) top = top->parent_;
    if (!top->top_) return Region();
    Rect box = WndAccess::Box(*this);
    Region r(clientOnly ? GetClientArea().Offsetted(box.TopLeft()) : box);
    r.Intersect(Rect(Point(), top->top_->surface.GetSize()));
    for (const Wnd* w = this; w->parent_; w = w->parent_) {
        const Wnd* p = w->parent_;
        r.Intersect(Rect(p->SurfaceOrigin(), p->GetClientRect().GetSize()));
        // Siblings added later lie above.
        auto it = std::find(p->children_.begin(), p->children_.end(), w);
        for (++it; it != p->children_.end(); ++it)
            if ((*it)->IsVisible()) r.Subtract(WndAccess::Box(**it));
    }
    if (clientOnly && (style_ & WS_CLIPCHILDREN))
        for (const Wnd* c : children_)
            if (c->IsVisible()) r.Subtract(WndAccess::Box(*c));
    return r;
}

// --- Painting ---

void Wnd::UpdateWindow() {
    if (!created_ || messageOnly_) return;
    PaintTree(true);
}

void Wnd::PaintTree(bool includeChildren) {
    if (!created_ || !IsWindowVisible()) return;
    WndGuard guard(this);
    if (ncDirty_) {
        ncDirty_ = false;
        PaintNonClient();
    }
    if (!update_.IsEmpty()) {
        Region rgn = update_;
        bool erase = erase_;
        update_.Clear();
        erase_ = false;
        if (!(style_ & WS_CLIPCHILDREN)) {
            // Painting this window draws over its children: they follow.
            for (Wnd* c : children_)
                if (c->IsVisible() && rgn.Intersects(c->rect_)) {
                    c->ncDirty_ = true;
                    c->InvalidateAll(true);
                }
        }
        {
            ClientDC dc(*this, rgn);
            if (erase) {
                dc.Save();
                OnEraseBkgnd(dc);
                dc.Restore();
            }
            if (guard) OnPaint(dc, rgn.Bounds());
        }
    }
    if (!includeChildren || !guard) return;
    for (Wnd* c : std::vector<Wnd*>(children_)) {
        WndGuard g(c);
        if (g && c->parent_ == this) c->PaintTree(true);
        if (!guard) return;
    }
}

Bitmap Wnd::Snapshot() {
    if (!created_ || messageOnly_) return Bitmap();
    Wnd* top = GetTopLevel();
    top->PaintTree(true);
    Rect box = WndAccess::Box(*this);
    Bitmap out(box.Width(), box.Height());
    DC dc(out);
    dc.BitBlt(0, 0, box.Width(), box.Height(), top->top_->surface, box.left, box.top);
    return out;
}

// --- The DCs of a window ---

namespace {

Bitmap& Scratch() {
    static Bitmap scratch(1, 1);
    return scratch;
}

DC::Target TargetOf(Wnd& w, const Region* clientClip, bool nonClient) {
    if (!w.Exists() || w.IsMessageWindow()) return {&Scratch(), Point(), Region(), nullptr};
    Wnd* top = w.GetTopLevel();
    TopLevel* tl = WndAccess::Top(*top);
    Rect box = WndAccess::Box(w);
    DC::Target t{&tl->surface, nonClient ? box.TopLeft() : w.SurfaceOrigin(), Region(), nullptr};
    if (nonClient) {
        t.limit = WndAccess::VisibleRegion(w, false);
        t.limit.Subtract(w.GetClientArea().Offsetted(box.TopLeft()));
    } else {
        t.limit = WndAccess::VisibleRegion(w, true);
        if (clientClip) {
            Region c = *clientClip;
            c.Offset(t.base);
            t.limit.Intersect(c);
        }
    }
    WndGuard guard(top);
    t.done = [guard, top](const Rect& dirty) {
        if (guard && WndAccess::Top(*top)->port) WndAccess::Top(*top)->port->Present(dirty);
    };
    return t;
}

}  // namespace

ClientDC::ClientDC(Wnd& wnd) : ClientDC(wnd, Region(wnd.GetClientRect())) {}

ClientDC::ClientDC(Wnd& wnd, const Region& clip, bool nonClient) : DC(TargetOf(wnd, &clip, nonClient)) {}

// --- The non-client part ---

ScrollBarLayout BuiltInBarLayout(const Wnd& w, int bar) {
    ScrollBarLayout l;
    Size s = w.GetRect().GetSize();
    l.vertical = bar == SB_VERT;
    l.info = WndAccess::Scroll(w, bar);
    int e = 0;  // the border and the edge, the same on every side
    if ((w.GetStyle() & WS_BORDER) && (w.GetStyle() & WS_CHILD)) e += kBorderSize;
    if (w.GetExStyle() & WS_EX_CLIENTEDGE) e += kClientEdgeSize;
    bool other = WndAccess::BarShown(w, bar == SB_VERT ? SB_HORZ : SB_VERT);
    if (l.vertical)
        l.box = Rect(s.cx - e - kScrollBarSize, e, s.cx - e, s.cy - e - (other ? kScrollBarSize : 0));
    else
        l.box = Rect(e, s.cy - e - kScrollBarSize, s.cx - e - (other ? kScrollBarSize : 0), s.cy - e);
    return l;
}

void Wnd::PaintNonClient() {
    Rect in = NonClientInsets(false);
    bool bars = barShown_[0] || barShown_[1];
    if (in.left == 0 && !bars) return;
    ClientDC dc(*this, Region(), true);
    Rect box(Point(), rect_.GetSize());
    if ((style_ & WS_BORDER) && (style_ & WS_CHILD)) {
        dc.FrameRect(box, GetSysColor(COLOR_WINDOWFRAME));
        box.Deflate(kBorderSize, kBorderSize);
    }
    if (exStyle_ & WS_EX_CLIENTEDGE) dc.DrawEdge(box, true);
    App::Impl& impl = TheImpl();
    for (int bar = 0; bar < 2; ++bar)
        if (barShown_[bar]) {
            int pressed = impl.bar.wnd == this && impl.bar.bar == bar ? impl.bar.drag.part : SBP_NONE;
            BuiltInBarLayout(*this, bar).Paint(dc, pressed, IsWindowEnabled());
        }
    if (barShown_[0] && barShown_[1]) {
        Size s = rect_.GetSize();
        dc.FillSolidRect(Rect(s.cx - in.right - kScrollBarSize, s.cy - in.bottom - kScrollBarSize, s.cx - in.right,
                              s.cy - in.bottom),
                         GetSysColor(COLOR_BTNFACE));
    }
}

void Wnd::LayoutNonClient() {
    Size oldClient = GetClientRect().GetSize();
    for (int bar = 0; bar < 2; ++bar) {
        bool need = (style_ & (bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL)) && scroll_[bar].NeedsBar();
        barShown_[bar] = need;
    }
    ncDirty_ = true;
    if (created_ && !messageOnly_) {
        TheImpl().backend->RequestPaint();
        if (GetClientRect().GetSize() != oldClient) {
            InvalidateAll(true);
            OnSize(GetClientRect().Width(), GetClientRect().Height());
        }
    }
}

// --- Built-in scroll bars ---

void Wnd::SetScrollInfo(int bar, const ScrollInfo& info, bool redraw) {
    if (bar != SB_HORZ && bar != SB_VERT) return;
    ScrollInfo si = info;
    si.pos = std::clamp(si.pos, si.min, std::max(si.min, si.MaxPos()));
    scroll_[bar] = si;
    // Setting a range that needs a bar shows it (and gives the window the
    // bar's style); a page that exceeds the range hides it.
    unsigned flag = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (si.NeedsBar()) style_ |= flag;
    bool was = barShown_[bar];
    if (si.NeedsBar() != was) {
        LayoutNonClient();
    } else if (redraw && was) {
        ncDirty_ = true;
        if (created_ && !messageOnly_) TheImpl().backend->RequestPaint();
    }
}

ScrollInfo Wnd::GetScrollInfo(int bar) const {
    return bar == SB_HORZ || bar == SB_VERT ? scroll_[bar] : ScrollInfo();
}

int Wnd::SetScrollPos(int bar, int pos, bool redraw) {
    ScrollInfo si = GetScrollInfo(bar);
    int old = si.pos;
    si.pos = pos;
    SetScrollInfo(bar, si, redraw);
    return old;
}

void Wnd::SetScrollRange(int bar, int min, int max, bool redraw) {
    ScrollInfo si = GetScrollInfo(bar);
    si.min = min;
    si.max = max;
    SetScrollInfo(bar, si, redraw);
}

bool Wnd::IsScrollBarShown(int bar) const { return (bar == SB_HORZ || bar == SB_VERT) && barShown_[bar]; }

// --- Scrolling the contents ---

void Wnd::ScrollWindow(int dx, int dy, const Rect* scrollRect) {
    if (!created_ || messageOnly_ || (dx == 0 && dy == 0)) return;
    Rect area = scrollRect ? scrollRect->Intersection(GetClientRect()) : GetClientRect();
    // Pixels that are on the screen move; the rest of the area is painted.
    Region visible = VisibleRegion(true);
    visible.Offset(-SurfaceOrigin());
    visible.Intersect(area);
    Region moved = visible;
    moved.Offset(dx, dy);
    moved.Intersect(visible);
    if (!moved.IsEmpty()) {
        ClientDC dc(*this, moved);
        dc.BitBlt(area.left + dx, area.top + dy, area.Width(), area.Height(), dc, area.left, area.top);
    }
    // What was waiting to be painted moves with the pixels.
    Region pending = update_;
    pending.Intersect(area);
    update_.Subtract(area);
    pending.Offset(dx, dy);
    pending.Intersect(area);
    update_.Union(pending);
    Region uncovered(area);
    uncovered.Subtract(moved);
    InvalidateRegion(uncovered, true);
    for (Wnd* c : children_) {
        if (!scrollRect) c->rect_.Offset(dx, dy);
        else if (!c->rect_.Intersects(area)) continue;
        c->InvalidateTree();
    }
}

}  // namespace plat
