#include "framework/property_editor/splitters.h"

#include "platform/cursor.h"

namespace Kor {

void DragHandle::HandleLeftDown(unsigned, const CPoint& p) {
    dragging_ = true;
    // The host window's coordinates stay put while the handle itself moves.
    start_ = Along(p + GetWindowOffset());
    CaptureMouse();
    if (onStart_) onStart_();
}

void DragHandle::HandleMouseMove(unsigned, const CPoint& p) {
    if (dragging_ && onDrag_) onDrag_(Along(p + GetWindowOffset()) - start_);
}

void DragHandle::HandleLeftUp(unsigned, const CPoint&) {
    if (!dragging_) return;
    dragging_ = false;
    ReleaseMouse();
}

bool DragHandle::HandleCursor(unsigned, const CPoint&) {
    plat::SetCursor(plat::Cursor::Standard(sideways_ ? plat::StdCursor::SizeWE : plat::StdCursor::SizeNS));
    return true;
}

}  // namespace Kor
