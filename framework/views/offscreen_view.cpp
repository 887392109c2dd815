#include "framework/views/offscreen_view.h"

#include <algorithm>

namespace Kor {

void OffscreenView::OnPaint(plat::DC& dc, const CRect& updateBox) {
    CRect box = updateBox.Intersection(GetClientRect());
    if (box.IsEmpty()) return;
    CSize client = GetClientRect().GetSize();
    CSize have = offscreen_.GetSize();
    // Patterns drawn by surface position (a dotted focus rectangle) must fall
    // on the pixels they fall on when drawn on the window: the bitmap keeps
    // the parity of the window's place on its surface.
    CPoint origin = SurfaceOrigin();
    int shift = (origin.x + origin.y) & 1;
    if (have.cx < client.cx + shift || have.cy < client.cy)
        offscreen_ = plat::Bitmap(std::max(have.cx, client.cx + shift), std::max(have.cy, client.cy));
    CDC off(offscreen_);
    off.SetViewportOrg(CPoint(shift, 0));
    off.IntersectClipRect(box);
    PaintWorkbench(&off, box);
    dc.BitBlt(box.left, box.top, box.Width(), box.Height(), off, box.left, box.top);
}

bool OffscreenView::OnEraseBkgnd(plat::DC& dc) {
    (void)dc;  // every pixel of the update box is painted
    return true;
}

}  // namespace Kor
