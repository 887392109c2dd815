// PanView: the layer that owns the hand (PanTool) and its command
// ID_TOOL_HAND, enabled while the sheet is not 0 by 0 and checked while the
// hand is the current tool. Whatever the tool, dragging with the middle
// button pans too.
#pragma once

#include "framework/tools/pan_tool.h"
#include "framework/views/offscreen_view.h"

namespace Kor {

class PanView : public OffscreenView {
public:
    PanView();
    ~PanView() override;

    PanTool& GetPanTool() { return panTool_; }
    bool IsMiddleDragging() const { return middleDragging_; }

    void HandleMouseMove(unsigned flags, const CPoint& p) override;

protected:
    // Whether the sheet has a size (the tools' commands are disabled
    // without one).
    virtual bool HasSheet() const;

    const plat::CommandTable* GetCommandTable() const override;
    void OnMButtonDown(unsigned flags, CPoint p) override;
    void OnMButtonUp(unsigned flags, CPoint p) override;
    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;
    void OnCaptureChanged(plat::Wnd* next) override;

private:
    void OnToolHand();
    void OnUpdateToolHand(plat::CmdUI* ui);
    void EndMiddleDrag();

    PanTool panTool_;
    bool middleDragging_ = false;
    CPoint middleStart_, middleScrollStart_;
};

}  // namespace Kor
