// ZoomTool: a left click zooms in twice about the point, a right click
// zooms out by half, a left drag draws a rubber band and zooms to it;
// keypad * fits the sheet to the window, keypad + and - (and the main-row
// +, = and -) zoom in and out about the centre. Escape drops a band.
//
// The mode chooses the cursor: 0 idle ("ZoomTool_CursorZoom"), 1 zooming in
// ("ZoomTool_CursorZoomIn"), 2 zooming out ("ZoomTool_CursorZoomOut");
// "ZoomTool_CursorNoZoom" shows when the zoom is already at that limit. The
// band's drag is kept apart from the mode, so that a key released or the
// right button pressed during it cannot lose the drag's end.
#pragma once

#include "framework/views/tool.h"
#include "platform/cursor.h"

namespace Kor {

class ZoomView;

class ZoomTool : public Tool {
public:
    enum Mode { Idle = 0, ZoomingIn = 1, ZoomingOut = 2 };
    // A band at most this many pixels wide and high is a click.
    static constexpr int kClickSize = 4;

    explicit ZoomTool(ZoomView& view);

    int GetMode() const { return mode_; }
    bool IsDragging() const { return dragging_; }
    // The band in client coordinates (normalised, its far corner included),
    // or an empty rectangle when no band is shown.
    CRect GetBandRect() const;
    // The view's zoom changed: a band in progress no longer matches the sheet
    // and ends (the view repaints everything anyway).
    void ZoomChanged();

    void Hide() override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    void OnKeyUp(unsigned key, unsigned repeat, unsigned flags) override;
    // The second press of a quick pair is a press like any other (two quick
    // clicks zoom twice).
    void OnLButtonDblClk(unsigned flags, CPoint p) override { OnLButtonDown(flags, p); }
    void OnLButtonDown(unsigned flags, CPoint p) override;
    void OnLButtonUp(unsigned flags, CPoint p) override;
    void OnMouseMove(unsigned flags, CPoint p) override;
    void OnRButtonDblClk(unsigned flags, CPoint p) override { OnRButtonDown(flags, p); }
    void OnRButtonDown(unsigned flags, CPoint p) override;
    void OnRButtonUp(unsigned flags, CPoint p) override;
    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;
    void PaintRect(CDC* dc, const CRect& rect) override;
    void HideOverlay() override;
    void ShowOverlay() override;
    void OnCaptureLost() override;

private:
    CPoint ToSheet(CPoint window) const;
    void DrawBand(CDC& dc) const;
    void DrawBandOnWindow() const;
    // Ends a drag: takes the band off the screen (unless the view repaints
    // everything), releases the capture, back to idle.
    void EndDrag(bool erase);
    void ZoomToBand(CPoint from, CPoint to);

    plat::Cursor cursorZoomIn_;
    plat::Cursor cursorZoomOut_;
    plat::Cursor cursorZoom_;
    plat::Cursor cursorNoZoom_;
    int mode_ = Idle;
    // The band, in sheet (content) pixels so that it survives scrolling.
    CPoint bandStart_, bandEnd_;
    bool bandShown_ = false;
    bool dragging_ = false;
    ZoomView* view_;
};

}  // namespace Kor
