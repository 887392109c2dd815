// A bar of the main frame that holds panels: the tool bar at the left, the
// right bar and the bottom bar. Its panels are laid out in list order, each
// taking a strip of its minimum size at its side of what remains (a fill
// panel takes all of it); its minimum size follows from theirs.
#pragma once

#include "framework/windows/container.h"
#include "framework/windows/widget.h"

#include <vector>

namespace Kor {

class Frame;
class Panel;

class PanelBar : public Widget, public Container {
public:
    explicit PanelBar(Frame& frame) : frame_(frame) {}
    ~PanelBar() override;

    void AddPanel(Panel& panel);
    void RemovePanel(Panel& panel);
    const std::vector<Panel*>& Panels() const { return panels_; }
    CSize GetMinWindowSize() const;

    void LayoutControls() override;
    // Showing or hiding the bar changes the frame's layout.
    void HandleVisible(bool visible) override;
    const CFont* Font() const override;
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    Frame& frame_;

private:
    std::vector<Panel*> panels_;
};

class ToolPanelBar : public PanelBar {
public:
    using PanelBar::PanelBar;
};

class RightPanelBar : public PanelBar {
public:
    using PanelBar::PanelBar;
};

class BottomPanelBar : public PanelBar {
public:
    using PanelBar::PanelBar;
};

}  // namespace Kor
