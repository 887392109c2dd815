// The handles that resize the frame's bars by dragging. The splitters are
// the 5-pixel strips that the view leaves on its right (RightSplitter, for
// the right bar's width) and bottom (BottomSplitter, for the bottom bar's
// height); the corner grip where they meet resizes both. The grips in the
// middle of the splitters resize too, and a click on one that does not move
// shows or hides its bar, so a hidden bar can always be brought back.
#pragma once

#include "framework/windows/widget.h"

namespace Kor {

class Frame;

class BarResizer : public Widget {
public:
    // `horizontal`: dragging sideways sets the right bar's width;
    // `vertical`: dragging up and down sets the bottom bar's height.
    BarResizer(Frame& frame, bool horizontal, bool vertical) : frame_(frame), horz_(horizontal), vert_(vertical) {}

    bool IsDragging() const { return dragging_; }
    void HandleLeftDown(unsigned flags, const CPoint& p) override;
    void HandleMouseMove(unsigned flags, const CPoint& p) override;
    void HandleLeftUp(unsigned flags, const CPoint& p) override;
    bool HandleCursor(unsigned flags, const CPoint& p) override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    // A press and release without moving.
    virtual void HandleClick() {}
    Frame& frame_;

private:
    CPoint FramePoint(const CPoint& p) const { return p + GetWindowOffset(); }

    bool horz_, vert_;
    bool dragging_ = false, moved_ = false;
    CPoint start_;
    int startRight_ = 0, startBottom_ = 0;
};

class RightSplitter : public BarResizer {
public:
    explicit RightSplitter(Frame& f) : BarResizer(f, true, false) {}
};

class BottomSplitter : public BarResizer {
public:
    explicit BottomSplitter(Frame& f) : BarResizer(f, false, true) {}
};

class CornerGrip : public BarResizer {
public:
    explicit CornerGrip(Frame& f) : BarResizer(f, true, true) {}
};

class RightGrip : public BarResizer {
public:
    explicit RightGrip(Frame& f) : BarResizer(f, true, false) {}
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    void HandleClick() override;
};

class BottomGrip : public BarResizer {
public:
    explicit BottomGrip(Frame& f) : BarResizer(f, false, true) {}
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    void HandleClick() override;
};

}  // namespace Kor
