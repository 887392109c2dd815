// A panel that shows one widget below its caption, `margin` pixels inside
// its edges; its minimum content size is the widget's preferred size plus
// the margins.
#pragma once

#include "framework/frame/panel.h"

namespace Kor {

class WidgetPanel : public Panel {
public:
    WidgetPanel(Frame& frame, Widget& widget, int margin);
    Widget& GetWidget() const { return widget_; }
    CSize GetMinClientSize() const override;
    void LayoutControls() override;

private:
    Widget& widget_;
    int margin_;
};

}  // namespace Kor
