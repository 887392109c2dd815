// Events: every notification in Korvane is an object of one of these
// classes, built by the sender (usually on its stack), handed by reference
// to a listener and told apart by its class. A receiver may write the fields
// that carry a result (the handled flags).
//
// How an event is delivered. Each event says two things about itself, and
// the toolkit reads nothing else (it never tests an event's class):
//
//   - its route (GetRoute()): how a window and a container pass it on (to the
//     capture or focus control, to the child under the pointer, to every
//     child, ...). The route is fixed by the family the event derives from:
//     MouseEvent, KeyEvent, BroadcastEvent, CommandEventBase, WindowEvent, or
//     plain Event (the receiver alone handles it);
//   - its delivery (DeliverTo): which handler of a Control it calls when a
//     control handles it itself. The default calls none.
//
// Control::ProcessEvent is DeliverTo; Container and Window<T> switch on the
// route (framework/windows/container.cpp, framework/windows/window.h).
//
// To add an event:
//   1. derive it from the family whose route it should take;
//   2. if controls handle it, give Control a handler with an empty default
//      (framework/windows/control.h) and override DeliverTo to call it.
// Nothing else changes. Model events (a document's, an editable object's)
// derive from Event or their model's event class and need neither step:
// their listeners tell them apart by class in their own ProcessEvent.
#pragma once

#include "framework/windows/control.h"
#include "platform/cmd_target.h"
#include "platform/geometry.h"

namespace plat {
class Wnd;
}

namespace Kor {

using CPoint = plat::Point;
class Timer;

// How an event travels through a tree of controls.
enum class EventRoute {
    Self,          // the receiver handles it (focus, scrolling, timers, models)
    Broadcast,     // a container handles it, then gives it to every child
    Window,        // a window handles it; a container gives it to every child
    Command,       // offered to the children in order until one handles it
    Key,           // the focus control, else the receiver
    Pointer,       // the capture control, else the child under the point
    PointerEnter,  // the child under the point becomes the hover child
    PointerLeave,  // the hover child, which is then forgotten
    Cursor,        // the capture control, else the hover child, then the receiver
};

class Event {
public:
    Event() = default;
    virtual ~Event() = default;
    EventRoute GetRoute() const { return route_; }
    // Calls the handler of `c` that matches this event; none by default.
    virtual void DeliverTo(Control& c) { (void)c; }

private:
    // Only the families below choose a route, so that a route always names
    // the class the event is (see the As... helpers at the end).
    friend class BroadcastEvent;
    friend class KeyEvent;
    friend class MouseEvent;
    friend class MouseLeaveEvent;
    friend class WindowEvent;
    friend class CommandEventBase;
    explicit Event(EventRoute route) : route_(route) {}

    EventRoute route_ = EventRoute::Self;
};

// Handled by a container itself and then passed to all its children.
class BroadcastEvent : public Event {
public:
    BroadcastEvent() : Event(EventRoute::Broadcast) {}
};

class ActivateEvent : public BroadcastEvent {
public:
    explicit ActivateEvent(bool a) : active(a) {}
    void DeliverTo(Control& c) override { c.HandleActivate(); }
    bool active;
};

class UpdateUIEvent : public BroadcastEvent {
public:
    void DeliverTo(Control& c) override { c.HandleUpdateUI(); }
};

class FontEvent : public BroadcastEvent {
public:
    void DeliverTo(Control& c) override { c.HandleFont(); }
};

class FocusEvent : public Event {
public:
    void DeliverTo(Control& c) override { c.HandleFocus(); }
};

class UnfocusEvent : public Event {
public:
    void DeliverTo(Control& c) override { c.HandleUnfocus(); }
};

class KeyEvent : public Event {
public:
    KeyEvent(unsigned k, unsigned r, unsigned f) : Event(EventRoute::Key), key(k), repeat(r), flags(f) {}
    unsigned key, repeat, flags;
};

class KeyDownEvent : public KeyEvent {
public:
    using KeyEvent::KeyEvent;
    void DeliverTo(Control& c) override { c.HandleKeyDown(key, repeat, flags); }
};

class KeyUpEvent : public KeyEvent {
public:
    using KeyEvent::KeyEvent;
    void DeliverTo(Control& c) override { c.HandleKeyUp(key, repeat, flags); }
};

// Pointer input; the point is in the receiver's coordinates.
class MouseEvent : public Event {
public:
    MouseEvent(unsigned f, const CPoint& p) : MouseEvent(EventRoute::Pointer, f, p) {}
    unsigned flags;
    CPoint point;

private:
    friend class MouseEnterEvent;
    friend class CursorEvent;
    MouseEvent(EventRoute route, unsigned f, const CPoint& p) : Event(route), flags(f), point(p) {}
};

// One pointer event class: `Handler` is the Control handler it calls.
template <void (Control::*Handler)(unsigned, const CPoint&)>
class PointerEvent : public MouseEvent {
public:
    using MouseEvent::MouseEvent;
    void DeliverTo(Control& c) override { (c.*Handler)(flags, point); }
};

using LeftDownEvent = PointerEvent<&Control::HandleLeftDown>;
using LeftUpEvent = PointerEvent<&Control::HandleLeftUp>;
using LeftDoubleClickEvent = PointerEvent<&Control::HandleLeftDoubleClick>;
using RightDownEvent = PointerEvent<&Control::HandleRightDown>;
using RightUpEvent = PointerEvent<&Control::HandleRightUp>;
using RightDoubleClickEvent = PointerEvent<&Control::HandleRightDoubleClick>;
using MouseMoveEvent = PointerEvent<&Control::HandleMouseMove>;

// The pointer came over the receiver.
class MouseEnterEvent : public MouseEvent {
public:
    MouseEnterEvent(unsigned f, const CPoint& p) : MouseEvent(EventRoute::PointerEnter, f, p) {}
    void DeliverTo(Control& c) override { c.HandleMouseEnter(flags, point); }
};

// The receiver may set the pointer shape and reports whether it did.
class CursorEvent : public MouseEvent {
public:
    CursorEvent(unsigned f, const CPoint& p) : MouseEvent(EventRoute::Cursor, f, p) {}
    void DeliverTo(Control& c) override { handled = c.HandleCursor(flags, point); }
    bool handled = false;
};

// The pointer has left the receiver.
class MouseLeaveEvent : public Event {
public:
    MouseLeaveEvent() : Event(EventRoute::PointerLeave) {}
    void DeliverTo(Control& c) override { c.HandleMouseLeave(); }
};

// A scroll bar moved; the window that hosts the bar reflects it to the bar.
class ScrollEvent : public Event {
public:
    ScrollEvent(unsigned c, unsigned p, plat::Wnd* bar) : code(c), position(p), scrollBar(bar) {}
    unsigned code, position;
    plat::Wnd* scrollBar;
};
class HorzScrollEvent : public ScrollEvent {
public:
    using ScrollEvent::ScrollEvent;
};
class VertScrollEvent : public ScrollEvent {
public:
    using ScrollEvent::ScrollEvent;
};

// A period of `timer` elapsed (sent to the timer's listeners).
class TimerEvent : public Event {
public:
    explicit TimerEvent(Timer* t) : timer(t) {}
    void DeliverTo(Control& c) override { c.HandleTimer(timer); }
    Timer* timer;
};

// What a control that is a platform window (Window<T>) does with the
// window life-cycle events.
class WindowEventHandler {
public:
    virtual void HandleWindowCreate() = 0;
    virtual void HandleWindowDestroy() = 0;
    // True: compute the bounds now; false: only mark them out of date.
    virtual void HandleWindowBounds(bool update) = 0;
    virtual void HandleWindowVisible(bool visible) = 0;

protected:
    ~WindowEventHandler() = default;
};

class WindowEvent : public Event {
public:
    WindowEvent() : Event(EventRoute::Window) {}
    // Calls the handler of `w` that matches this event; none by default.
    virtual void DeliverToWindow(WindowEventHandler& w) { (void)w; }
};

class WindowCreateEvent : public WindowEvent {
public:
    void DeliverToWindow(WindowEventHandler& w) override { w.HandleWindowCreate(); }
};

class WindowDestroyEvent : public WindowEvent {
public:
    void DeliverToWindow(WindowEventHandler& w) override { w.HandleWindowDestroy(); }
};

// True asks for the bounds to be computed now; false only marks them stale.
class WindowBoundsEvent : public WindowEvent {
public:
    explicit WindowBoundsEvent(bool u) : update(u) {}
    void DeliverToWindow(WindowEventHandler& w) override { w.HandleWindowBounds(update); }
    bool update;
};

class WindowVisibleEvent : public WindowEvent {
public:
    explicit WindowVisibleEvent(bool v) : visible(v) {}
    void DeliverToWindow(WindowEventHandler& w) override { w.HandleWindowVisible(visible); }
    bool visible;
};

// Commands reach controls that override ProcessEvent to look for them.
class CommandEventBase : public Event {
public:
    explicit CommandEventBase(unsigned id) : Event(EventRoute::Command), commandId(id) {}
    unsigned commandId;
    bool handled = false;
};
class CommandEvent : public CommandEventBase {
public:
    using CommandEventBase::CommandEventBase;
};
class UpdateCommandUIEvent : public CommandEventBase {
public:
    UpdateCommandUIEvent(unsigned id, plat::CmdUI* ui) : CommandEventBase(id), cmdUI(ui) {}
    plat::CmdUI* cmdUI;
};

// The event as the family its route belongs to. Only that family's
// constructors set the route, so the conversion always holds.
inline MouseEvent& AsMouseEvent(Event& e) { return static_cast<MouseEvent&>(e); }     // Pointer, PointerEnter, Cursor
inline CursorEvent& AsCursorEvent(Event& e) { return static_cast<CursorEvent&>(e); }  // Cursor
inline CommandEventBase& AsCommandEvent(Event& e) { return static_cast<CommandEventBase&>(e); }  // Command
inline WindowEvent& AsWindowEvent(Event& e) { return static_cast<WindowEvent&>(e); }             // Window

}  // namespace Kor
