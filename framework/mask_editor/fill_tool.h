// FillTool: the mask editor's flood fill. A left click (or double click)
// on a pixel of the image fills its region with set pixels, a right click
// with clear ones (SpanFill); the owner gets the result, named "Fill", and
// the view repaints the image. The pointer is the "FILLTOOL" cursor; clicks
// outside the image do nothing.
#pragma once

#include "framework/views/tool.h"
#include "platform/cursor.h"

namespace Kor {

class MaskEditor;

class FillTool : public Tool {
public:
    explicit FillTool(MaskEditor& editor);
    MaskEditor& GetEditor() { return *editor_; }

    void OnLButtonDown(unsigned flags, CPoint p) override;
    void OnRButtonDown(unsigned flags, CPoint p) override;
    // A quick second click is a click of its own.
    void OnLButtonDblClk(unsigned flags, CPoint p) override { OnLButtonDown(flags, p); }
    void OnRButtonDblClk(unsigned flags, CPoint p) override { OnRButtonDown(flags, p); }
    bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) override;

private:
    void FillAt(CPoint p, bool value);

    MaskEditor* editor_;
    plat::Cursor cursor_;
};

}  // namespace Kor
