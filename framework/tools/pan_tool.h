// PanTool, the hand: dragging with the left button moves the sheet with the
// pointer, and the arrow keys, Home, End, Page Up and Page Down scroll it.
// Its cursors are "PanTool_CursorHand" and, while dragging,
// "PanTool_CursorHandDrag".
#pragma once

#include "framework/views/tool.h"
#include "platform/cursor.h"

namespace Kor {

class Workbench;

class PanTool : public Tool {
public:
    explicit PanTool(Workbench& view);

    bool IsDragging() const { return dragging_; }
    const plat::Cursor& HandCursor() const { return cursorHand_; }
    const plat::Cursor& HandDragCursor() const { return cursorHandDrag_; }

    void Hide() override;
    void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    // The second press of a quick pair is a press like any other.
    void OnLButtonDblClk(unsigned flags, CPoint p) override { OnLButtonDown(flags, p); }
    void OnLButtonDown(unsigned flags, CPoint p) override;
    void OnLButtonUp(unsigned flags, CPoint p) override;
    void OnMouseMove(unsigned flags, CPoint p) override;
    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;
    void OnCaptureLost() override;

private:
    void EndDrag();

    Workbench* view_;
    plat::Cursor cursorHand_;
    plat::Cursor cursorHandDrag_;
    CPoint dragStart_;    // the pointer at the press
    CPoint scrollStart_;  // the view's scroll position at the press
    bool dragging_ = false;
};

}  // namespace Kor
