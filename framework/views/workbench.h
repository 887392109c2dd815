// Workbench: a view that shows a content rectangle (the sheet, in content
// pixels) with an empty margin around it, scrolls it and keeps the
// window's scroll bars in step.
//
//   content   the sheet, contentWidth by contentHeight pixels (never negative)
//   extent    the content with the margin on every side
//   scroll    the extent pixel at the client area's top-left corner; negative
//             when the extent is smaller than the client area, which centres it
//
// A content point (cx, cy) lies in the window at (cx + margin - scrollX,
// cy + margin - scrollY). Painting (PaintWorkbench, run by the off-screen
// layer) fills what lies outside the sheet with the application-workspace
// colour, lets the layer above draw the sheet (DrawSheet) and then the
// effective tool its overlay. The wheel scrolls (Shift or the sideways wheel
// horizontally).
#pragma once

#include "framework/views/basic_view.h"
#include "platform/wheel.h"

namespace Kor {

class Workbench : public BasicView {
public:
    // Scroll steps: a line of the scroll bar's arrows, and the wheel's
    // pixels per notch.
    static constexpr int kLineStep = 5;
    static constexpr int kWheelStep = 40;

    // Negative sizes count as 0. A change resets the extent and the scroll
    // bars, scrolls to where the view was (clamped or centred) and repaints.
    void SetContentSize(int width, int height);
    CSize GetContentSize() const { return CSize(contentWidth_, contentHeight_); }
    CSize GetExtent() const { return CSize(extentWidth_, extentHeight_); }
    void SetMargin(int margin);
    int GetMargin() const { return margin_; }
    CPoint GetScrollPosition() const { return CPoint(scrollX_, scrollY_); }
    // The sheet in client coordinates.
    CRect GetSheetRect() const;

    // Scrolls to extent position (x, y): horizontally, an extent narrower
    // than the client area is centred, otherwise x is kept within
    // [0, extentWidth - client width]; vertically alike. When the position
    // changes, the bars follow and the window is repainted whole
    // (`repaintAll`) or its pixels are moved.
    void ScrollTo(int x, int y, bool repaintAll);

    // Fills `box` (client coordinates) of `dc`: the parts outside the sheet,
    // the sheet (DrawSheet, clipped to it) and the effective tool's overlay.
    virtual void PaintWorkbench(CDC* dc, const CRect& box);

protected:
    // Draws the part `rect` (client coordinates, inside the sheet) of the
    // sheet; the clip is set to it. The default paints it white.
    virtual void DrawSheet(CDC* dc, const CRect& rect);
    // Notifications to the layers above.
    virtual void ContentSizeChanged() {}
    virtual void ScrollPositionChanged() {}

    // Puts the bars in step with the content, the margin and the client
    // size: both are decided together, each possibly narrowing the client
    // area for the other.
    void UpdateScrollBars();

    void OnSize(int cx, int cy) override;
    void OnHScroll(unsigned code, unsigned pos, plat::Wnd* bar) override;
    void OnVScroll(unsigned code, unsigned pos, plat::Wnd* bar) override;
    void OnMouseWheel(unsigned flags, int delta, CPoint screen) override;
    void OnMouseHWheel(unsigned flags, int delta, CPoint screen) override;

private:
    void ResetExtent();
    int BarTarget(unsigned code, unsigned pos, int current, int client, int extent) const;

    int contentWidth_ = 0, contentHeight_ = 0;
    int extentWidth_ = 0, extentHeight_ = 0;
    int margin_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    bool updatingBars_ = false;
    plat::WheelAccumulator wheel_[2];  // plat::SB_HORZ, plat::SB_VERT
};

}  // namespace Kor
