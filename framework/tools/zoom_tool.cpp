#include "framework/tools/zoom_tool.h"

#include "framework/tools/tool_cursor.h"
#include "framework/views/zoom_view.h"
#include "platform/keys.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace Kor {

ZoomTool::ZoomTool(ZoomView& view)
    : cursorZoomIn_(LoadToolCursor("ZoomTool_CursorZoomIn", plat::StdCursor::Cross)),
      cursorZoomOut_(LoadToolCursor("ZoomTool_CursorZoomOut", plat::StdCursor::Cross)),
      cursorZoom_(LoadToolCursor("ZoomTool_CursorZoom", plat::StdCursor::Cross)),
      cursorNoZoom_(LoadToolCursor("ZoomTool_CursorNoZoom", plat::StdCursor::No)),
      view_(&view) {}

CPoint ZoomTool::ToSheet(CPoint window) const {
    CPoint scroll = view_->GetScrollPosition();
    int margin = view_->GetMargin();
    return CPoint(window.x - margin + scroll.x, window.y - margin + scroll.y);
}

CRect ZoomTool::GetBandRect() const {
    if (!bandShown_) return CRect();
    CPoint offset = CPoint(view_->GetMargin(), view_->GetMargin()) - view_->GetScrollPosition();
    CRect r(bandStart_ + offset, CSize());
    r.right = bandEnd_.x + offset.x;
    r.bottom = bandEnd_.y + offset.y;
    r.Normalize();
    r.right += 1;
    r.bottom += 1;
    return r;
}

void ZoomTool::DrawBand(CDC& dc) const {
    if (bandShown_) dc.DrawFocusRect(GetBandRect());
}

void ZoomTool::DrawBandOnWindow() const {
    if (!view_->Exists()) return;
    plat::ClientDC dc(*view_);
    DrawBand(dc);
}

void ZoomTool::OnLButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    if (dragging_) return;
    mode_ = ZoomingIn;
    view_->SetFocus();
    bandStart_ = bandEnd_ = ToSheet(p);
    bandShown_ = true;
    DrawBandOnWindow();
    dragging_ = true;
    view_->CaptureMouse();
    view_->RefreshToolCursor();
}

void ZoomTool::OnMouseMove(unsigned flags, CPoint p) {
    if (!dragging_ || !view_->HasCapture()) return;
    // The release went where the view could not hear it: no zoom.
    if (!(flags & plat::MK_LBUTTON)) return EndDrag(true);
    DrawBandOnWindow();
    bandEnd_ = ToSheet(p);
    DrawBandOnWindow();
}

void ZoomTool::OnLButtonUp(unsigned flags, CPoint p) {
    (void)flags;
    if (!dragging_) return;
    CPoint from = bandStart_, to = ToSheet(p);
    EndDrag(true);
    if (std::abs(to.x - from.x) <= kClickSize && std::abs(to.y - from.y) <= kClickSize)
        view_->ZoomBy(2.0f, p);
    else
        ZoomToBand(from, to);
    view_->RefreshToolCursor();
}

void ZoomTool::ZoomToBand(CPoint from, CPoint to) {
    CPoint offset = CPoint(view_->GetMargin(), view_->GetMargin()) - view_->GetScrollPosition();
    CRect band(from + offset, CSize());
    band.right = to.x + offset.x;
    band.bottom = to.y + offset.y;
    band.Normalize();
    types::point<float> centre = view_->ToDocument(band.Center());
    types::rect<float> doc = view_->ToDocument(band);
    CSize client = view_->GetClientRect().GetSize();
    int room = 2 * view_->GetMargin();
    // An axis without extent (a band only one pixel thin) sets no limit.
    float zoom = std::numeric_limits<float>::infinity();
    if (doc.width() > 0) zoom = std::min(zoom, float(client.cx - room) / doc.width());
    if (doc.height() > 0) zoom = std::min(zoom, float(client.cy - room) / doc.height());
    if (!std::isfinite(zoom)) return;
    view_->SetZoom(zoom);
    view_->ScrollDocumentPointTo(centre, view_->GetClientRect().Center());
}

void ZoomTool::EndDrag(bool erase) {
    if (erase) DrawBandOnWindow();
    bandShown_ = false;
    mode_ = Idle;
    if (dragging_) {
        dragging_ = false;
        view_->ReleaseMouse();
    }
}

void ZoomTool::ZoomChanged() {
    if (dragging_) EndDrag(false);
}

void ZoomTool::OnRButtonDown(unsigned flags, CPoint p) {
    (void)flags, (void)p;
    if (dragging_) return;  // the left drag's end decides
    mode_ = ZoomingOut;
    view_->SetFocus();
    view_->RefreshToolCursor();
}

void ZoomTool::OnRButtonUp(unsigned flags, CPoint p) {
    (void)flags;
    if (dragging_) return;
    view_->ZoomBy(0.5f, p);
    mode_ = Idle;
    view_->RefreshToolCursor();
}

void ZoomTool::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    (void)repeat, (void)flags;
    if (dragging_) {
        if (key == plat::VK_ESCAPE) EndDrag(true);
    } else {
        switch (key) {
            case plat::VK_MULTIPLY:
                mode_ = Idle;
                view_->ZoomToFit();
                break;
            case plat::VK_ADD:
            case plat::VK_OEM_PLUS:  // the main row's + and =
                mode_ = ZoomingIn;
                view_->ZoomBy(2.0f);
                break;
            case plat::VK_SUBTRACT:
            case plat::VK_OEM_MINUS:
                mode_ = ZoomingOut;
                view_->ZoomBy(0.5f);
                break;
            default:
                break;
        }
    }
    view_->RefreshToolCursor();
}

void ZoomTool::OnKeyUp(unsigned key, unsigned repeat, unsigned flags) {
    (void)key, (void)repeat, (void)flags;
    if (!dragging_) mode_ = Idle;
    view_->RefreshToolCursor();
}

bool ZoomTool::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    (void)wnd, (void)hitTest, (void)message;
    float zoom = view_->GetZoom();
    const plat::Cursor* c = &cursorZoom_;
    if (mode_ == ZoomingIn)
        c = zoom == view_->GetMaxZoom() ? &cursorNoZoom_ : &cursorZoomIn_;
    else if (mode_ == ZoomingOut)
        c = zoom == view_->GetMinZoom() ? &cursorNoZoom_ : &cursorZoomOut_;
    plat::SetCursor(*c);
    return true;
}

void ZoomTool::PaintRect(CDC* dc, const CRect& rect) {
    (void)rect;  // the DC is clipped to it
    DrawBand(*dc);
}

void ZoomTool::HideOverlay() { DrawBandOnWindow(); }

void ZoomTool::ShowOverlay() { DrawBandOnWindow(); }

void ZoomTool::Hide() {
    // A temporary tool takes over in the middle of a drag: the drag ends
    // here, band and capture too, since the release will go to that tool.
    if (dragging_) EndDrag(true);
    mode_ = Idle;
}

void ZoomTool::OnCaptureLost() {
    dragging_ = false;  // the capture is gone already
    EndDrag(true);
    view_->RefreshToolCursor();
}

}  // namespace Kor
