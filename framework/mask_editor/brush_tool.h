// BrushTool: the mask editor's circular brush, a circle tool whose strokes
// paint (left button) or erase (right button) the editor's buffer with the
// circle's disc, pixel rows a byte at a time. The buffer changes as the
// pointer moves; the owner gets the result once per stroke, named "Brush",
// however the stroke ends (the last button up, a release outside the view,
// Space or Ctrl lending the hand, a change of tool, the editor closing).
// Both buttons at once paint nothing.
#pragma once

#include "contour/bitmap.h"
#include "framework/tools/circle_tool.h"

namespace Kor {

class MaskEditor;

class BrushTool : public CircleTool {
public:
    static constexpr int kInitialSize = 20;

    explicit BrushTool(MaskEditor& editor, int size = kInitialSize);
    MaskEditor& GetEditor() { return *editor_; }

    void Select(CPoint p, int buttons) override;
    void Synchronize() override;

    // Puts `stamp` on `mask` with its top-left corner at (left, top), clipped
    // to the mask: `paint` sets every mask pixel under a set stamp pixel,
    // otherwise such pixels are cleared; nothing else changes, no bit past
    // the mask's width nor any row padding.
    static void Stamp(img::bitmap& mask, const img::bitmap& stamp, long long left, long long top, bool paint);

private:
    MaskEditor* editor_;
};

}  // namespace Kor
