// The tool interface of the view family: what a view (BasicView and the
// layers above it) tells the tool that handles its input. A view has a
// current tool, and for as long as modifier keys are held a temporary tool
// that takes over; the one in charge, the effective tool, gets the keys, the
// pointer (in the view's client coordinates), the cursor requests and the
// chance to draw over each repainted rectangle. A tool is a command target:
// the view offers it the commands it does not handle itself.
//
// Life cycle: Activate when it becomes the current tool, Deactivate when it
// stops being it; Hide when a temporary tool takes over from it, Show when it
// is in charge again. Every operation does nothing by default.
#pragma once

#include "framework/windows/control.h"
#include "platform/cmd_target.h"

namespace plat {
class Wnd;
}

namespace Kor {

class Tool : public plat::CmdTarget {
public:
    virtual void Activate() {}
    virtual void Deactivate() {}
    virtual void Show() {}
    virtual void Hide() {}
    virtual void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) { (void)key, (void)repeat, (void)flags; }
    virtual void OnKeyUp(unsigned key, unsigned repeat, unsigned flags) { (void)key, (void)repeat, (void)flags; }
    virtual void OnLButtonDblClk(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnLButtonDown(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnLButtonUp(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnMouseMove(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnMouseEnter(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnMouseLeave() {}
    virtual void OnRButtonDblClk(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnRButtonDown(unsigned flags, CPoint p) { (void)flags, (void)p; }
    virtual void OnRButtonUp(unsigned flags, CPoint p) { (void)flags, (void)p; }
    // Sets the pointer shape over the view's client area (hit code 1) and
    // reports whether it did; when it does not, the view's default applies.
    virtual bool OnSetCursor(plat::Wnd* wnd, unsigned hitTest, unsigned message) {
        (void)wnd, (void)hitTest, (void)message;
        return false;
    }
    // The view repainted `rect` (client coordinates) with `dc`: what the tool
    // shows over the image (a wire, a rubber band) is drawn again there.
    virtual void PaintRect(CDC* dc, const CRect& rect) { (void)dc, (void)rect; }

    // The view is about to move the pixels on the screen (scrolling): what
    // the tool drew by inverting pixels comes off first and goes back on,
    // where it belongs, after.
    virtual void HideOverlay() {}
    virtual void ShowOverlay() {}
    // The view lost the mouse capture it held for this tool (the window was
    // deactivated, a modal box opened, the window system broke the grab):
    // a press in progress ends as if every button came up.
    virtual void OnCaptureLost() {}
    // The view lost the keyboard (the focus went elsewhere, the window was
    // deactivated): keys held until now may come up where the view does not
    // hear it, so the tool forgets which are held.
    virtual void OnKeyboardLost() {}
};

}  // namespace Kor
