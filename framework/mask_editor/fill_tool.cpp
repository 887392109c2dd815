#include "framework/mask_editor/fill_tool.h"

#include "framework/mask_editor/mask_editor.h"
#include "framework/mask_editor/span_fill.h"
#include "framework/tools/tool_cursor.h"
#include "framework/views/zoom_view.h"
#include "platform/app.h"

#include <cmath>

namespace Kor {

FillTool::FillTool(MaskEditor& editor)
    : editor_(&editor), cursor_(LoadToolCursor("FILLTOOL", plat::StdCursor::Cross)) {}

void FillTool::OnLButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    FillAt(p, true);
}

void FillTool::OnRButtonDown(unsigned flags, CPoint p) {
    (void)flags;
    FillAt(p, false);
}

bool FillTool::OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
    (void)wnd, (void)hitTest, (void)message;
    plat::SetCursor(cursor_);
    return true;
}

void FillTool::FillAt(CPoint p, bool value) {
    if (!editor_->IsOpen()) return;
    ZoomView& bench = editor_->GetBench();
    types::point<float> d = bench.ToDocument(p);
    // The pixel under the point: just left of or above the image is pixel -1.
    double x = std::floor(double(d.x)), y = std::floor(double(d.y));
    types::extent<unsigned> dim = editor_->GetDim();
    if (!(x >= 0 && y >= 0 && x < double(dim.width) && y < double(dim.height))) return;
    plat::WaitCursor wait;
    SpanFill(editor_->GetBuffer(), (long long)x, (long long)y, value);
    editor_->Synchronize("Fill");
    // Both fills repaint the image (the editor may have closed meanwhile).
    if (bench.Exists())
        bench.InvalidateRect(bench.ToWindow(types::rect<float>(0, 0, float(dim.width), float(dim.height))), false);
}

}  // namespace Kor
