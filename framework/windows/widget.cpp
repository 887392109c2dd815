#include "framework/windows/widget.h"

#include "framework/windows/container.h"

namespace Kor {

void Widget::SetBounds(const CRect& r) {
    CRect old = Bounds();
    if (r == old) return;
    left_ = r.left;
    top_ = r.top;
    right_ = r.right;
    bottom_ = r.bottom;
    if (Container* p = GetParent()) {
        if (visible_) {
            p->Invalidate(old);
            p->Invalidate(r);
        }
    }
    if (r.GetSize() != old.GetSize())
        if (auto* self = dynamic_cast<Container*>(this)) self->LayoutControls();
}

void Widget::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    HandleVisible(visible);
    InvalidateParent();
}

void Widget::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    HandleEnable(enabled);
    Invalidate();
}

}  // namespace Kor
