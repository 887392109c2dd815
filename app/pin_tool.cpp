#include "app/pin_tool.h"

#include "app/doc.h"
#include "framework/views/zoom_view.h"

PinTool::PinTool(Kor::ZoomView& view, Doc& doc) : Kor::CircleTool(view, kInitialSize), doc_(&doc) {}

void PinTool::Select(Kor::CPoint p, int buttons) {
    if (applied_) return;
    if (buttons == (LeftButton | RightButton)) return;
    // No mask, no polyline: nothing to pin (and nothing to complain about).
    if (doc_->IsEmpty()) return;
    types::point<float> d = GetBench().ToDocument(p);
    // Marked before the document is asked: a refusal opens a message box,
    // which takes the pointer away and ends the stroke (Synchronize) while
    // the document still has it; the stroke is then over and the next
    // press must place its pin.
    applied_ = true;
    doc_->AddArea(outline::real_point{d.x, d.y}, float(GetSize()), buttons == LeftButton);
}

void PinTool::Activate() {
    applied_ = false;
    Kor::CircleTool::Activate();
}

void PinTool::Deactivate() {
    applied_ = false;
    Kor::CircleTool::Deactivate();
}

void PinTool::Show() {
    applied_ = false;
    Kor::CircleTool::Show();
}

void PinTool::Hide() {
    Kor::CircleTool::Hide();
    applied_ = false;
}
