// Events: every notification in Korvane is an object of one of these
// classes, built by the sender (usually on its stack), handed by reference
// to a listener and told apart by its dynamic type. A receiver may write the
// fields that carry a result (the handled flags).
#pragma once

#include "platform/cmd_target.h"
#include "platform/geometry.h"

namespace plat {
class Wnd;
}

namespace Kor {

using CPoint = plat::Point;
class Timer;

class Event {
public:
    virtual ~Event() = default;
};

// Handled by a container itself and then passed to all its children.
class BroadcastEvent : public Event {};

class ActivateEvent : public BroadcastEvent {
public:
    explicit ActivateEvent(bool a) : active(a) {}
    bool active;
};

class UpdateUIEvent : public BroadcastEvent {};
class FontEvent : public BroadcastEvent {};

class FocusEvent : public Event {};
class UnfocusEvent : public Event {};

class KeyEvent : public Event {
public:
    KeyEvent(unsigned k, unsigned r, unsigned f) : key(k), repeat(r), flags(f) {}
    unsigned key, repeat, flags;
};
class KeyDownEvent : public KeyEvent {
public:
    using KeyEvent::KeyEvent;
};
class KeyUpEvent : public KeyEvent {
public:
    using KeyEvent::KeyEvent;
};

// Pointer input; the point is in the receiver's coordinates.
class MouseEvent : public Event {
public:
    MouseEvent(unsigned f, const CPoint& p) : flags(f), point(p) {}
    unsigned flags;
    CPoint point;
};
#define KOR_MOUSE_EVENT(Name)        \
    class Name : public MouseEvent { \
    public:                          \
        using MouseEvent::MouseEvent; \
    };
KOR_MOUSE_EVENT(LeftDownEvent)
KOR_MOUSE_EVENT(LeftUpEvent)
KOR_MOUSE_EVENT(LeftDoubleClickEvent)
KOR_MOUSE_EVENT(RightDownEvent)
KOR_MOUSE_EVENT(RightUpEvent)
KOR_MOUSE_EVENT(RightDoubleClickEvent)
KOR_MOUSE_EVENT(MouseMoveEvent)
KOR_MOUSE_EVENT(MouseEnterEvent)
#undef KOR_MOUSE_EVENT

// The receiver may set the pointer shape and reports whether it did.
class CursorEvent : public MouseEvent {
public:
    CursorEvent(unsigned f, const CPoint& p) : MouseEvent(f, p) {}
    bool handled = false;
};

class MouseLeaveEvent : public Event {};

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

class TimerEvent : public Event {
public:
    explicit TimerEvent(Timer* t) : timer(t) {}
    Timer* timer;
};

class WindowEvent : public Event {};
class WindowCreateEvent : public WindowEvent {};
class WindowDestroyEvent : public WindowEvent {};
// True asks for the bounds to be computed now; false only marks them stale.
class WindowBoundsEvent : public WindowEvent {
public:
    explicit WindowBoundsEvent(bool u) : update(u) {}
    bool update;
};
class WindowVisibleEvent : public WindowEvent {
public:
    explicit WindowVisibleEvent(bool v) : visible(v) {}
    bool visible;
};

class CommandEventBase : public Event {
public:
    explicit CommandEventBase(unsigned id) : commandId(id) {}
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

}  // namespace Kor

