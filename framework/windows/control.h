// A control: a light-weight element with a rectangle in its parent's
// coordinates that paints itself into its host window's DC and receives
// input as events. A control knows its parent container (null while
// detached) and nothing else; a detached control answers every question
// with an empty value (no rectangle, window, font, capture or focus).
#pragma once

#include "framework/events/event_listener.h"
#include "platform/dc.h"
#include "platform/geometry.h"

#include <string>

namespace plat {
class Wnd;
}

namespace Kor {

using CPoint = plat::Point;
using CSize = plat::Size;
using CRect = plat::Rect;
using CDC = plat::DC;
using CFont = plat::Font;

class Container;
class Timer;
class WindowTipCtrl;

class Control : public virtual EventListener {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Where this control's (0, 0) lies in its host window's client area.
    virtual CPoint GetWindowOffset() const;
    // Bounds() in host-window coordinates; empty when detached.
    virtual CRect GetWindowRect() const;
    virtual plat::Wnd* GetWindow() const;
    virtual WindowTipCtrl* GetHintWindow() const;
    // Paints `rect` (control coordinates; the DC's origin is the control's
    // origin): saves the DC state, selects Font(), HandlePaint, restores.
    virtual void Paint(CDC* dc, const CRect& rect);
    ~Control() override;
    virtual CRect Bounds() const { return CRect(); }
    virtual bool Visible() const { return true; }
    virtual bool Enabled() const { return true; }
    virtual CSize PreferredSize() const { return CSize(); }
    virtual CSize ClientSize() const { return Bounds().GetSize(); }
    virtual bool CanGetFocus() const { return false; }
    virtual std::string HintText() const;
    virtual const CFont* Font() const;
    virtual void CaptureMouse();
    virtual void ReleaseMouse();
    virtual bool HasCapture() const;
    virtual void SetFocus();
    virtual bool HasFocus() const;
    // Marks the control (or a rectangle of it) for repainting without
    // erasing; `immediate` repaints the host window at once.
    virtual void Invalidate(bool immediate = false);
    virtual void Invalidate(const CRect& r, bool immediate = false);
    virtual void InvalidateParent();
    virtual void FontChanged();
    virtual void HandlePaint(CDC* dc, const CRect& rect) { (void)dc; (void)rect; }
    virtual void HandleActivate() {}
    virtual void HandleKeyDown(unsigned key, unsigned repeat, unsigned flags) { (void)key; (void)repeat; (void)flags; }
    virtual void HandleKeyUp(unsigned key, unsigned repeat, unsigned flags) { (void)key; (void)repeat; (void)flags; }
    virtual void HandleLeftDoubleClick(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleLeftDown(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleLeftUp(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleMouseMove(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleMouseEnter(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleMouseLeave() {}
    virtual void HandleRightDoubleClick(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleRightDown(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual void HandleRightUp(unsigned flags, const CPoint& p) { (void)flags; (void)p; }
    virtual bool HandleCursor(unsigned flags, const CPoint& p) { (void)flags; (void)p; return false; }
    virtual void HandleUpdateUI() {}
    virtual void HandleFocus() {}
    virtual void HandleUnfocus() {}
    virtual void HandleFont() {}
    // A timer this control listens to (Timer::AddListener) fired.
    virtual void HandleTimer(Timer* timer) { (void)timer; }

    // Places the control (for layouts); controls without stored bounds
    // ignore it.
    virtual void SetBounds(const CRect& r) { (void)r; }

    // Handles the event itself: calls the handler the event names
    // (Event::DeliverTo).
    void ProcessEvent(Event& e) override;

    Container* GetParent() const { return parent_; }
    // True when `ancestor` is this control or lies above it.
    bool IsWithin(const Control* ancestor) const;

private:
    friend class Container;
    Container* parent_ = nullptr;
};

}  // namespace Kor
