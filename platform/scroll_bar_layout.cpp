#include "platform/scroll_bar_layout.h"

#include <algorithm>

namespace plat {

namespace {
int Along(const Rect& r, bool vertical) { return vertical ? r.Height() : r.Width(); }
int Start(const Rect& r, bool vertical) { return vertical ? r.top : r.left; }
int Coord(Point p, bool vertical) { return vertical ? p.y : p.x; }
// A segment [a, b) along the bar as a rectangle.
Rect Segment(const Rect& box, bool vertical, int a, int b) {
    return vertical ? Rect(box.left, a, box.right, b) : Rect(a, box.top, b, box.bottom);
}
}  // namespace

Rect ScrollBarLayout::Arrow1() const {
    int s = std::min(kScrollBarSize, Along(box, vertical) / 2);
    int a = Start(box, vertical);
    return Segment(box, vertical, a, a + s);
}

Rect ScrollBarLayout::Arrow2() const {
    int s = std::min(kScrollBarSize, Along(box, vertical) / 2);
    int b = Start(box, vertical) + Along(box, vertical);
    return Segment(box, vertical, b - s, b);
}

Rect ScrollBarLayout::Track() const {
    int a = Start(Arrow1(), vertical) + Along(Arrow1(), vertical);
    int b = Start(Arrow2(), vertical);
    return Segment(box, vertical, a, std::max(a, b));
}

Rect ScrollBarLayout::Thumb() const {
    Rect t = Track();
    int len = Along(t, vertical);
    int maxPos = info.MaxPos();
    if (maxPos <= info.min || len <= 0) return Rect();
    long long range = (long long)info.max - info.min + 1;
    int thumb = info.page > 0 ? int(std::max<long long>(8, len * (long long)info.page / range)) : kScrollBarSize;
    if (thumb >= len) return Rect();
    int pos = std::clamp(info.pos, info.min, maxPos);
    int start = Start(t, vertical) + int((long long)(len - thumb) * (pos - info.min) / (maxPos - info.min));
    return Segment(box, vertical, start, start + thumb);
}

int ScrollBarLayout::Hit(Point p) const {
    if (!box.Contains(p)) return SBP_NONE;
    if (Arrow1().Contains(p)) return SBP_ARROW1;
    if (Arrow2().Contains(p)) return SBP_ARROW2;
    Rect th = Thumb();
    if (th.IsEmpty()) return SBP_NONE;
    if (th.Contains(p)) return SBP_THUMB;
    return Coord(p, vertical) < Start(th, vertical) ? SBP_PAGE1 : SBP_PAGE2;
}

int ScrollBarLayout::PosFromThumbOffset(int offset) const {
    Rect t = Track(), th = Thumb();
    int free = Along(t, vertical) - Along(th, vertical);
    int maxPos = info.MaxPos();
    if (free <= 0 || maxPos <= info.min) return info.min;
    offset = std::clamp(offset, 0, free);
    return info.min + int(((long long)offset * (maxPos - info.min) + free / 2) / free);
}

namespace {
void PaintArrow(DC& dc, const Rect& r, bool vertical, bool first, bool pressed, bool enabled) {
    dc.FillSolidRect(r, GetSysColor(COLOR_BTNFACE));
    dc.DrawEdge(r, pressed);
    Point c = r.Center();
    if (pressed) c.Offset(1, 1);
    Color col = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    dc.Save();
    dc.SelectPen(Pen(Pen::Solid, 1, col));
    dc.SelectBrush(Brush(col));
    std::vector<Point> tri;
    if (vertical)
        tri = first ? std::vector<Point>{{c.x - 3, c.y + 1}, {c.x + 3, c.y + 1}, {c.x, c.y - 2}}
                    : std::vector<Point>{{c.x - 3, c.y - 2}, {c.x + 3, c.y - 2}, {c.x, c.y + 1}};
    else
        tri = first ? std::vector<Point>{{c.x + 1, c.y - 3}, {c.x + 1, c.y + 3}, {c.x - 2, c.y}}
                    : std::vector<Point>{{c.x - 2, c.y - 3}, {c.x - 2, c.y + 3}, {c.x + 1, c.y}};
    dc.Polygon(tri);
    dc.Restore();
}
}  // namespace

void ScrollBarLayout::Paint(DC& dc, int pressedPart, bool enabled) const {
    Rect track = Track();
    dc.FillSolidRect(track, GetSysColor(COLOR_SCROLLBAR));
    Rect th = Thumb();
    if (pressedPart == SBP_PAGE1 && !th.IsEmpty())
        dc.FillSolidRect(vertical ? Rect(track.left, track.top, track.right, th.top)
                                  : Rect(track.left, track.top, th.left, track.bottom),
                         GetSysColor(COLOR_3DDKSHADOW));
    if (pressedPart == SBP_PAGE2 && !th.IsEmpty())
        dc.FillSolidRect(vertical ? Rect(track.left, th.bottom, track.right, track.bottom)
                                  : Rect(th.right, track.top, track.right, track.bottom),
                         GetSysColor(COLOR_3DDKSHADOW));
    bool canScroll = enabled && !th.IsEmpty();
    PaintArrow(dc, Arrow1(), vertical, true, pressedPart == SBP_ARROW1, canScroll);
    PaintArrow(dc, Arrow2(), vertical, false, pressedPart == SBP_ARROW2, canScroll);
    if (!th.IsEmpty()) {
        dc.FillSolidRect(th, GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(th, false);
    }
}

void ScrollBarDrag::Press(const ScrollBarLayout& bar, Point p, const Notify& notify) {
    part = bar.Hit(p);
    switch (part) {
    case SBP_ARROW1: notify(SB_LINEUP, 0); break;
    case SBP_ARROW2: notify(SB_LINEDOWN, 0); break;
    case SBP_PAGE1: notify(SB_PAGEUP, 0); break;
    case SBP_PAGE2: notify(SB_PAGEDOWN, 0); break;
    case SBP_THUMB: {
        Rect th = bar.Thumb();
        grab = Coord(p, bar.vertical) - Start(th, bar.vertical);
        trackPos = bar.info.pos;
        break;
    }
    default: break;
    }
}

void ScrollBarDrag::Move(const ScrollBarLayout& bar, Point p, const Notify& notify) {
    if (part != SBP_THUMB) return;
    int offset = Coord(p, bar.vertical) - grab - Start(bar.Track(), bar.vertical);
    int pos = bar.PosFromThumbOffset(offset);
    if (pos == trackPos) return;
    trackPos = pos;
    notify(SB_THUMBTRACK, pos);
}

void ScrollBarDrag::Release(const Notify& notify) {
    if (part == SBP_NONE) return;
    int was = part;
    part = SBP_NONE;
    if (was == SBP_THUMB) notify(SB_THUMBPOSITION, trackPos);
    notify(SB_ENDSCROLL, 0);
}

}  // namespace plat
