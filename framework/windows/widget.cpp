#include "framework/windows/widget.h"

#include "framework/events/event.h"
#include "framework/windows/container.h"
#include "platform/wnd.h"

#include <vector>

namespace Kor {

namespace {
// The platform windows of controls below `w` (the property list, an open
// in-place edit) follow it when it moves or is shown or hidden. A widget that
// is itself a platform window carries its children along.
void PlaceChildWindows(Widget& w) {
    auto* c = dynamic_cast<Container*>(&w);
    if (!c || dynamic_cast<plat::Wnd*>(&w)) return;
    WindowBoundsEvent e(true);
    for (Control* child : std::vector<Control*>(c->Controls().begin(), c->Controls().end())) child->ProcessEvent(e);
}
}  // namespace

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
    if (r.TopLeft() != old.TopLeft()) PlaceChildWindows(*this);
}

void Widget::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    HandleVisible(visible);
    InvalidateParent();
    PlaceChildWindows(*this);
}

void Widget::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    HandleEnable(enabled);
    Invalidate();
}

}  // namespace Kor
