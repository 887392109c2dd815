// Input routing: which window a mouse or key event goes to (capture, hit
// test, focus), pointer-leave tracking, double clicks, cursor requests,
// activation and focus changes, and presses in built-in scroll bars.
#include "platform/internal.h"
#include "platform/menu.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

namespace {

constexpr std::uint64_t kDoubleClickMs = 500;
constexpr int kDoubleClickSlop = 2;  // pixels either way

struct Hit {
    Wnd* wnd = nullptr;
    unsigned code = HTNOWHERE;
};

// The deepest visible window under a point of `w`'s box (box coordinates).
Hit HitTest(Wnd& w, Point inBox) {
    Rect client = w.GetClientArea();
    if (client.Contains(inBox)) {
        Point p = inBox - client.TopLeft();
        const auto& kids = w.GetChildren();
        for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
            Wnd* c = *it;
            if (c->IsVisible() && c->GetRect().Contains(p)) return HitTest(*c, p - c->GetRect().TopLeft());
        }
        return {&w, HTCLIENT};
    }
    if (!Rect(Point(), w.GetRect().GetSize()).Contains(inBox)) return {};
    for (int bar = 0; bar < 2; ++bar)
        if (w.IsScrollBarShown(bar) && BuiltInBarLayout(w, bar).box.Contains(inBox))
            return {&w, bar == SB_VERT ? unsigned(HTVSCROLL) : unsigned(HTHSCROLL)};
    return {&w, HTBORDER};
}

Point BoxPoint(const Wnd& w, Point screen) {
    return w.ScreenToClient(screen) + w.GetClientArea().TopLeft();
}

void NotifyBar(Wnd& w, int bar, unsigned code, int pos) {
    WndAccess::Scroll(w, bar == SB_VERT, code, unsigned(pos), nullptr);
}

void RepaintBar(Wnd* w) {
    WndAccess::NonClientDirty(*w);
    TheImpl().backend->RequestPaint();
}

bool SameTop(Wnd* a, Wnd* b) { return a && b && a->GetTopLevel() == b->GetTopLevel(); }

}  // namespace

namespace input {

void UpdateLeaveTracking() {
    App::Impl& impl = TheImpl();
    for (Wnd* w : std::vector<Wnd*>(impl.leaveTracking)) {
        if (w == impl.capture) continue;  // the leave waits until the capture ends
        if (impl.hover == w && impl.hoverHit == HTCLIENT) continue;
        auto& list = impl.leaveTracking;
        list.erase(std::remove(list.begin(), list.end(), w), list.end());
        WndAccess::ResetTrackLeave(*w);
        WndAccess::MouseLeave(*w);
    }
}

void SetActive(Wnd* top, bool moveFocus) {
    App::Impl& impl = TheImpl();
    if (impl.active == top) return;
    Wnd* old = impl.active;
    impl.active = top;
    WndGuard oldGuard(old), topGuard(top);
    if (old && oldGuard) WndAccess::ActivateMsg(*old, false);
    if (!top || !topGuard || impl.active != top) return;
    WndAccess::ActivateMsg(*top, true);
    if (!moveFocus || !topGuard || impl.active != top) return;
    // The focus goes back where it was in this window, or to the window.
    if (!SameTop(impl.focus, top)) {
        Wnd* last = WndAccess::Top(*top)->lastFocus;
        Wnd* target = last && last->IsWindowVisible() && last->IsWindowEnabled() ? last : top;
        target->SetFocus();
    }
}

void SetFocusTo(Wnd* w) {
    App::Impl& impl = TheImpl();
    if (w && (!w->Exists() || w->IsMessageWindow() || !w->IsWindowVisible() || !w->IsWindowEnabled())) return;
    if (impl.focus == w) return;
    Wnd* old = impl.focus;
    impl.focus = w;
    if (w) {
        Wnd* top = w->GetTopLevel();
        WndAccess::Top(*top)->lastFocus = w;
        if (impl.active != top) {
            WndGuard g(w);
            SetActive(top, false);
            if (!g || impl.focus != w) return;
        }
    }
    WndGuard oldGuard(old), newGuard(w);
    if (old && oldGuard) WndAccess::KillFocus(*old, w);
    if (w && newGuard && impl.focus == w) WndAccess::SetFocusMsg(*w, old);
}

namespace {

void AsWork(const std::function<void()>& work) { App::Instance()->Dispatch(work); }

void RouteMouse(Wnd& top, Point surfacePoint, MouseAction action, unsigned modifiers) {
    App::Impl& impl = TheImpl();
    Point screen = top.GetRect().TopLeft() + surfacePoint;
    impl.cursorPos = screen;
    switch (action) {
    case MouseAction::LeftDown: impl.buttons |= MK_LBUTTON; break;
    case MouseAction::LeftUp: impl.buttons &= ~MK_LBUTTON; break;
    case MouseAction::RightDown: impl.buttons |= MK_RBUTTON; break;
    case MouseAction::RightUp: impl.buttons &= ~MK_RBUTTON; break;
    case MouseAction::MiddleDown: impl.buttons |= MK_MBUTTON; break;
    case MouseAction::MiddleUp: impl.buttons &= ~MK_MBUTTON; break;
    case MouseAction::Move:
        if (modifiers & kButtonsKnown) impl.buttons = modifiers & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
        break;
    }
    unsigned flags = impl.buttons | (modifiers & (MK_SHIFT | MK_CONTROL));
    Hit hit = HitTest(top, surfacePoint);
    impl.hover = hit.wnd;
    impl.hoverHit = hit.code;

    // A press in a scroll bar owns the pointer until the button is released.
    if (impl.bar.wnd) {
        Wnd* w = impl.bar.wnd;
        int bar = impl.bar.bar;
        auto notify = [w, bar](unsigned code, int pos) { NotifyBar(*w, bar, code, pos); };
        if (action == MouseAction::Move) {
            impl.bar.drag.Move(BuiltInBarLayout(*w, bar), BoxPoint(*w, screen), notify);
        } else if (action == MouseAction::LeftUp) {
            ScrollBarDrag drag = impl.bar.drag;
            impl.bar = BarTracking();
            RepaintBar(w);
            drag.Release(notify);
        }
        return;
    }

    UpdateLeaveTracking();
    Wnd* target = impl.capture ? impl.capture : hit.wnd;
    if (!target) return;
    WndGuard guard(target);
    if (!impl.capture && !target->IsWindowEnabled()) {
        if (action == MouseAction::Move) plat::SetCursor(Cursor());
        return;
    }
    unsigned code = impl.capture ? HTCLIENT : hit.code;
    if (action == MouseAction::LeftDown || action == MouseAction::RightDown || action == MouseAction::MiddleDown) {
        // A press activates its window; a tool window (a tip, a pop-up list)
        // never takes the activation, as when it is shown.
        Wnd* t = target->GetTopLevel();
        if (impl.active != t && !(t->GetExStyle() & WS_EX_TOOLWINDOW)) {
            target->Activate();
            if (!guard) return;
        }
    }
    if (code != HTCLIENT) {
        if (action == MouseAction::Move) {
            WndAccess::SetCursor(*target, target, code, WM_MOUSEMOVE);
        } else if (action == MouseAction::LeftDown && (code == HTHSCROLL || code == HTVSCROLL)) {
            int bar = code == HTVSCROLL ? SB_VERT : SB_HORZ;
            impl.bar.wnd = target;
            impl.bar.bar = bar;
            impl.bar.drag.Press(BuiltInBarLayout(*target, bar), BoxPoint(*target, screen),
                                [target, bar](unsigned c, int pos) { NotifyBar(*target, bar, c, pos); });
            if (guard) RepaintBar(target);
        }
        return;
    }
    Point p = target->ScreenToClient(screen);
    switch (action) {
    case MouseAction::Move:
        if (!impl.capture) WndAccess::SetCursor(*target, target, HTCLIENT, WM_MOUSEMOVE);
        if (guard) WndAccess::MouseMove(*target, flags, p);
        break;
    case MouseAction::LeftDown:
    case MouseAction::RightDown: {
        unsigned button = action == MouseAction::LeftDown ? MK_LBUTTON : MK_RBUTTON;
        auto& last = impl.lastClick;
        std::uint64_t now = App::Instance()->Now();
        bool dbl = last.armed && last.button == button && last.wnd == target && now - last.time <= kDoubleClickMs &&
                   std::abs(screen.x - last.screen.x) <= kDoubleClickSlop &&
                   std::abs(screen.y - last.screen.y) <= kDoubleClickSlop;
        if (dbl) last = App::Impl::Click();
        else last = App::Impl::Click{true, button, now, screen, target};
        if (button == MK_LBUTTON) {
            dbl ? WndAccess::LButtonDblClk(*target, flags, p) : WndAccess::LButtonDown(*target, flags, p);
        } else {
            dbl ? WndAccess::RButtonDblClk(*target, flags, p) : WndAccess::RButtonDown(*target, flags, p);
        }
        break;
    }
    case MouseAction::LeftUp: WndAccess::LButtonUp(*target, flags, p); break;
    case MouseAction::RightUp: WndAccess::RButtonUp(*target, flags, p); break;
    case MouseAction::MiddleDown: WndAccess::MButtonDown(*target, flags, p); break;
    case MouseAction::MiddleUp: WndAccess::MButtonUp(*target, flags, p); break;
    }
    impl.backend->RequestIdle();
}

void RouteWheel(Wnd& top, Point surfacePoint, int delta, unsigned modifiers, bool horizontal) {
    App::Impl& impl = TheImpl();
    Point screen = top.GetRect().TopLeft() + surfacePoint;
    Hit hit = HitTest(top, surfacePoint);
    Wnd* target = impl.capture ? impl.capture : hit.wnd;
    if (!target || !target->IsWindowEnabled()) return;
    unsigned flags = impl.buttons | (modifiers & (MK_SHIFT | MK_CONTROL));
    if (horizontal) WndAccess::MouseHWheel(*target, flags, delta, screen);
    else WndAccess::MouseWheel(*target, flags, delta, screen);
    impl.backend->RequestIdle();
}

void RouteCaptureBroken(Wnd& top) {
    Wnd* capture = TheImpl().capture;
    if (capture && capture->GetTopLevel() == &top) Wnd::ReleaseCapture();
}

void RoutePointerLeft(Wnd& top) {
    App::Impl& impl = TheImpl();
    if (impl.hover && impl.hover->GetTopLevel() == &top) {
        impl.hover = nullptr;
        impl.hoverHit = HTNOWHERE;
    }
    UpdateLeaveTracking();
}

void RouteKey(Wnd* top, unsigned vk, bool down, unsigned ch) {
    App::Impl& impl = TheImpl();
    bool repeat = down && impl.keysDown.count(vk);
    if (down) impl.keysDown.insert(vk);
    else impl.keysDown.erase(vk);
    unsigned flags = (impl.keysDown.count(VK_MENU) ? KF_ALTDOWN : 0u) | (repeat ? KF_REPEAT : 0u) | (down ? 0u : KF_UP);
    Wnd* target = impl.focus;
    if (!target || !target->IsWindowEnabled()) target = impl.active;
    if (!target) target = top;
    if (!target || !target->IsWindowEnabled()) return;
    // The focus window and its ancestors may take the key first.
    std::vector<Wnd*> chain;
    for (Wnd* w = target; w; w = w->GetParentWnd()) chain.push_back(w);
    WndGuard guard(target);
    for (Wnd* w : chain) {
        WndGuard g(w);
        if (g && WndAccess::PreTranslateKey(*w, vk, down, flags)) {
            impl.backend->RequestIdle();
            return;
        }
    }
    if (!guard) return;
    if (down) WndAccess::KeyDown(*target, vk, 1, flags);
    else WndAccess::KeyUp(*target, vk, 1, flags);
    if (down && ch && guard && impl.focus == target) WndAccess::Char(*target, ch, 1, flags);
    impl.backend->RequestIdle();
}

void RouteText(Wnd* top, unsigned ch) {
    App::Impl& impl = TheImpl();
    Wnd* target = impl.focus && impl.focus->IsWindowEnabled() ? impl.focus : impl.active ? impl.active : top;
    if (!target || !target->IsWindowEnabled()) return;
    WndAccess::Char(*target, ch, 1, 0);
    impl.backend->RequestIdle();
}

void RouteActivated(Wnd& top, bool active) {
    App::Impl& impl = TheImpl();
    if (active) {
        if (!top.IsWindowEnabled()) return;
        SetActive(&top, true);
    } else if (impl.active == &top) {
        SetActive(nullptr, false);
        // Keys pressed while another program had them are not held here,
        // and the pointer is no longer ours to hold.
        impl.keysDown.clear();
        RouteCaptureBroken(top);
        // The keyboard goes with the activation (and comes back with it, to
        // the window that had it).
        if (impl.focus && impl.focus->GetTopLevel() == &top) SetFocusTo(nullptr);
    }
}

void RouteCloseRequested(Wnd& top) {
    if (!top.IsWindowEnabled()) return;  // a modal dialog of it is open
    WndAccess::Close(top);
    TheImpl().backend->RequestIdle();
}

void RouteResized(Wnd& top, Size size) { WndAccess::Resized(top, size); }

void RouteMoved(Wnd& top, Point screenTopLeft) {
    WndAccess::SetTopRect(top, Rect(screenTopLeft, top.GetRect().GetSize()));
}

void RouteMenuCommand(Wnd& top, unsigned id) {
    if (!top.IsWindowEnabled()) return;
    top.SendCommand(id);
    TheImpl().backend->RequestIdle();
}

void RouteMenuSelect(Wnd& top, unsigned id) { WndAccess::MenuSelect(top, id); }

}  // namespace

// --- The entry points: each is one piece of work the loop dispatches (under
// the work guard, see App::Dispatch), whichever backend reports it. ---

void Mouse(Wnd& top, Point surfacePoint, MouseAction action, unsigned modifiers) {
    AsWork([&] { RouteMouse(top, surfacePoint, action, modifiers); });
}
void Wheel(Wnd& top, Point surfacePoint, int delta, unsigned modifiers, bool horizontal) {
    AsWork([&] { RouteWheel(top, surfacePoint, delta, modifiers, horizontal); });
}
void CaptureBroken(Wnd& top) {
    AsWork([&] { RouteCaptureBroken(top); });
}
void PointerLeft(Wnd& top) {
    AsWork([&] { RoutePointerLeft(top); });
}
void Key(Wnd* top, unsigned vk, bool down, unsigned ch) {
    AsWork([&] { RouteKey(top, vk, down, ch); });
}
void Text(Wnd* top, unsigned ch) {
    AsWork([&] { RouteText(top, ch); });
}
void Activated(Wnd& top, bool active) {
    AsWork([&] { RouteActivated(top, active); });
}
void CloseRequested(Wnd& top) {
    AsWork([&] { RouteCloseRequested(top); });
}
void FilesDropped(Wnd& top, const std::vector<std::string>& paths) {
    AsWork([&] {
        if (!top.IsWindowEnabled() || !(top.GetExStyle() & WS_EX_ACCEPTFILES) || paths.empty()) return;
        WndAccess::DropFiles(top, paths);
        TheImpl().backend->RequestIdle();
    });
}
void Resized(Wnd& top, Size size) {
    AsWork([&] { RouteResized(top, size); });
}
void Moved(Wnd& top, Point screenTopLeft) {
    AsWork([&] { RouteMoved(top, screenTopLeft); });
}
void MenuCommand(Wnd& top, unsigned id) {
    AsWork([&] { RouteMenuCommand(top, id); });
}
void MenuSelect(Wnd& top, unsigned id) {
    AsWork([&] { RouteMenuSelect(top, id); });
}
void MenuOpened(Wnd& top, Menu& menu) {
    AsWork([&] { UpdateMenuItems(top, menu); });
}

}  // namespace input

}  // namespace plat
