#include "framework/frame/bar_resizers.h"

#include "framework/frame/frame.h"
#include "platform/cursor.h"

namespace Kor {

void BarResizer::HandleLeftDown(unsigned, const CPoint& p) {
    dragging_ = true;
    moved_ = false;
    start_ = FramePoint(p);
    startRight_ = frame_.GetRightWidth();
    startBottom_ = frame_.GetBottomHeight();
    CaptureMouse();
}

void BarResizer::HandleMouseMove(unsigned, const CPoint& p) {
    if (!dragging_) return;
    // In frame coordinates: the handle itself moves with the layout.
    CPoint d = FramePoint(p) - start_;
    if (d == CPoint() && !moved_) return;
    moved_ = true;
    int right = horz_ && frame_.IsRightVisible() ? startRight_ - d.x : frame_.GetRightWidth();
    int bottom = vert_ && frame_.IsBottomVisible() ? startBottom_ - d.y : frame_.GetBottomHeight();
    frame_.SetSplit(right, bottom, frame_.IsRightVisible(), frame_.IsBottomVisible());
}

void BarResizer::HandleLeftUp(unsigned, const CPoint&) {
    if (!dragging_) return;
    dragging_ = false;
    ReleaseMouse();
    if (!moved_) HandleClick();
}

bool BarResizer::HandleCursor(unsigned, const CPoint&) {
    plat::StdCursor shape = horz_ && vert_ ? plat::StdCursor::SizeAll
                            : horz_        ? plat::StdCursor::SizeWE
                                           : plat::StdCursor::SizeNS;
    plat::SetCursor(plat::Cursor::Standard(shape));
    return true;
}

void BarResizer::HandlePaint(CDC* dc, const CRect&) {
    dc->FillSolidRect(CRect(CPoint(), ClientSize()), plat::GetSysColor(plat::COLOR_BTNFACE));
}

namespace {
// Raised dots along the grip, across its long side.
void PaintGripDots(CDC* dc, CSize s, bool vertical) {
    dc->FillSolidRect(CRect(CPoint(), s), plat::GetSysColor(plat::COLOR_BTNFACE));
    plat::Color light = plat::GetSysColor(plat::COLOR_BTNHIGHLIGHT), dark = plat::GetSysColor(plat::COLOR_BTNSHADOW);
    int length = vertical ? s.cy : s.cx, across = vertical ? s.cx : s.cy;
    int c = across / 2 - 1;
    for (int i = 2; i + 2 <= length - 2; i += 4) {
        CRect dot = vertical ? CRect(c, i, c + 2, i + 2) : CRect(i, c, i + 2, c + 2);
        dc->Draw3dRect(dot, light, dark);
    }
}
}  // namespace

void RightGrip::HandlePaint(CDC* dc, const CRect&) { PaintGripDots(dc, ClientSize(), true); }
void RightGrip::HandleClick() { frame_.ToggleRightVisible(); }
void BottomGrip::HandlePaint(CDC* dc, const CRect&) { PaintGripDots(dc, ClientSize(), false); }
void BottomGrip::HandleClick() { frame_.ToggleBottomVisible(); }

}  // namespace Kor
