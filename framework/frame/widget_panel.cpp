#include "framework/frame/widget_panel.h"

namespace Kor {

WidgetPanel::WidgetPanel(Frame& frame, Widget& widget, int margin) : Panel(frame), widget_(widget), margin_(margin) {
    AddControl(&widget_);
}

CSize WidgetPanel::GetMinClientSize() const {
    CSize s = widget_.PreferredSize();
    return CSize(s.cx + 2 * margin_, s.cy + 2 * margin_);
}

void WidgetPanel::LayoutControls() {
    CRect r = GetContentRect();
    r.Deflate(margin_, margin_);
    if (r.IsEmpty()) r = CRect(r.left, r.top, r.left, r.top);
    widget_.SetBounds(r);
}

}  // namespace Kor
