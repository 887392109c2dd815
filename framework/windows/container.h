// A control that holds other controls (not owned), in order of addition;
// later children lie on top. It routes events to its children (the hover
// child under the pointer, commands in child order, broadcasts to all) and
// passes focus and capture requests up to the window that holds them. A
// child that is removed or destroyed is forgotten as hover child, and as
// focus and capture control of its window.
#pragma once

#include "framework/windows/control.h"

#include <list>
#include <memory>

namespace Kor {

class Layout;
class MouseEvent;

class Container : public virtual Control {
public:
    ~Container() override;

    // Appends `c` (taking it from its previous container).
    void AddControl(Control* c);
    void RemoveControl(Control* c);
    const std::list<Control*>& Controls() const { return controls_; }
    Control* GetHoverChild() const { return hover_; }
    // The last added visible child whose bounds hold `p`, or null.
    Control* ChildFromPoint(const CPoint& p) const;

    virtual Control* GetCaptureControl() const;
    virtual Control* GetFocusControl() const;
    virtual void SetCaptureControl(Control* c);
    virtual void SetFocusControl(Control* c);

    // Places the children; the default applies the layout, if one is set.
    virtual void LayoutControls();
    void SetLayout(std::shared_ptr<Layout> layout) { layout_ = std::move(layout); }

    void ProcessEvent(Event& e) override;
    // Paints the children that the rectangle touches.
    void HandlePaint(CDC* dc, const CRect& rect) override;

protected:
    // A control at or below `c` goes away; the window forgets it as focus
    // or capture control. A plain container passes this up.
    virtual void ForgetControl(Control* c);
    void PaintChildren(CDC* dc, const CRect& rect);
    void HandleItself(Event& e) { Control::ProcessEvent(e); }

private:
    // Pointer input: the child under the point becomes the hover child (the
    // old one hears that the pointer left, the new one that it came) and
    // gets the event in its own coordinates; with none, the container.
    void RoutePointer(MouseEvent& e);

    std::list<Control*> controls_;
    Control* hover_ = nullptr;
    std::shared_ptr<Layout> layout_;
};

}  // namespace Kor
