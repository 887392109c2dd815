// Geometry, hit test, dragging and painting of one scroll bar, shared by the
// bars built into windows and by the scroll-bar control: two arrow buttons,
// the track between them and the thumb, whose length shows the page and whose
// place shows the position.
#pragma once

#include "platform/dc.h"
#include "platform/wnd.h"

#include <functional>

namespace plat {

enum ScrollBarPart { SBP_NONE, SBP_ARROW1, SBP_PAGE1, SBP_THUMB, SBP_PAGE2, SBP_ARROW2 };

struct ScrollBarLayout {
    Rect box;
    bool vertical = true;
    ScrollInfo info;

    Rect Arrow1() const;
    Rect Arrow2() const;
    Rect Track() const;
    Rect Thumb() const;  // empty when the bar cannot scroll
    int Hit(Point p) const;
    // The position for a thumb whose leading edge lies `offset` pixels into
    // the track.
    int PosFromThumbOffset(int offset) const;
    void Paint(DC& dc, int pressedPart, bool enabled) const;
};

// A press, drag and release on a bar. `notify` receives the scroll codes
// (with the thumb position for SB_THUMBTRACK and SB_THUMBPOSITION).
struct ScrollBarDrag {
    int part = SBP_NONE;
    int grab = 0;      // pointer offset from the thumb's leading edge
    int trackPos = 0;  // thumb position while dragging

    using Notify = std::function<void(unsigned code, int pos)>;
    void Press(const ScrollBarLayout& bar, Point p, const Notify& notify);
    void Move(const ScrollBarLayout& bar, Point p, const Notify& notify);
    void Release(const Notify& notify);
    bool Active() const { return part != SBP_NONE; }
};

}  // namespace plat
