// Window<T>: a platform window of class T (plat::Wnd or one of its kinds)
// that is also the root of a tree of controls. It turns the platform's
// messages into events, routes them (capture control first for the pointer,
// focus control first for keys, then as a container), and keeps the focus
// and capture controls of its tree. Placed inside another window's tree, its
// platform window is made when the host's is (WindowCreateEvent), with the
// host's font, and placed at the control's layout rectangle. It is shown only
// while it wants to be (HandleWindowVisible) and every control between it and
// its host is visible; an ancestor that moves or is shown or hidden sends its
// child windows a WindowBoundsEvent(true), which places them again.
#pragma once

#include "framework/windows/container.h"
#include "framework/windows/window_tip_ctrl.h"
#include "framework/events/event.h"
#include "platform/app.h"
#include "platform/keys.h"
#include "platform/wnd.h"

#include <memory>
#include <type_traits>
#include <vector>

namespace Kor {

template <class T>
class Window : public T, public Container, public WindowEventHandler {
public:
    Window() = default;
    ~Window() override {
        if (T::Exists()) T::Destroy();
    }

    // --- Control ---
    CPoint GetWindowOffset() const override { return CPoint(); }
    CRect GetWindowRect() const override { return T::GetClientRect(); }
    plat::Wnd* GetWindow() const override { return const_cast<Window*>(this); }
    WindowTipCtrl* GetHintWindow() const override;
    CRect Bounds() const override;
    bool Visible() const override { return T::IsWindowVisible(); }
    bool Enabled() const override { return !T::Exists() || T::IsWindowEnabled(); }
    CSize ClientSize() const override { return T::GetClientRect().GetSize(); }
    bool CanGetFocus() const override { return true; }
    const CFont* Font() const override { return GetParent() ? Control::Font() : T::GetFont(); }
    bool HasCapture() const override { return GetParent() ? Control::HasCapture() : capture_ == this; }
    // The window becomes its own focus control (and takes the platform focus).
    void SetFocus() override { SetFocusControl(this); }
    // Only while the window itself, not one of its controls, has the focus.
    bool HasFocus() const override { return plat::Wnd::GetFocus() == this && focus_ == this; }
    void SetBounds(const CRect& r) override {
        layoutRect_ = r;
        boundsOutOfDate_ = true;
        UpdateWindowBounds();
    }

    // --- Container ---
    Control* GetCaptureControl() const override { return capture_; }
    Control* GetFocusControl() const override { return focus_; }
    void SetCaptureControl(Control* c) override;
    void SetFocusControl(Control* c) override;

    // --- Window ---
    virtual bool DoCreateWindow();
    void HandleWindowCreate() override;
    void HandleWindowDestroy() override;
    // True: an ancestor moved, or was shown or hidden: placed again now.
    void HandleWindowBounds(bool update) override;
    void HandleWindowVisible(bool visible) override;
    virtual void UpdateBounds() { boundsOutOfDate_ = true; }
    CRect GetClientRect() const { return T::GetClientRect(); }
    int ClientWidth() const { return T::GetClientRect().Width(); }
    int ClientHeight() const { return T::GetClientRect().Height(); }
    void InvalidateWindowBounds();
    void UpdateWindowBounds();
    bool BoundsOutOfDate() const { return boundsOutOfDate_; }
    // Class style of the platform window DoCreateWindow makes.
    void SetWindowStyle(unsigned style, unsigned exStyle = 0, unsigned id = 0) {
        style_ = style;
        exStyle_ = exStyle;
        id_ = id;
    }
    unsigned GetWindowStyle() const { return style_; }
    bool IsPointerTracked() const { return tracked_; }
    // Every control between this window and its host window is visible
    // (false when a control above it has been taken out of the tree).
    bool AncestorsVisible() const;

    void ProcessEvent(Event& e) override;
    // The window's own handlers give the messages to the platform's default.
    void HandleKeyDown(unsigned k, unsigned r, unsigned f) override { T::OnKeyDown(k, r, f); }
    void HandleKeyUp(unsigned k, unsigned r, unsigned f) override { T::OnKeyUp(k, r, f); }
    void HandleLeftDown(unsigned f, const CPoint& p) override { T::OnLButtonDown(f, p); }
    void HandleLeftUp(unsigned f, const CPoint& p) override { T::OnLButtonUp(f, p); }
    void HandleLeftDoubleClick(unsigned f, const CPoint& p) override { T::OnLButtonDblClk(f, p); }
    void HandleRightDown(unsigned f, const CPoint& p) override { T::OnRButtonDown(f, p); }
    void HandleRightUp(unsigned f, const CPoint& p) override { T::OnRButtonUp(f, p); }
    void HandleRightDoubleClick(unsigned f, const CPoint& p) override { T::OnRButtonDblClk(f, p); }
    void HandleMouseMove(unsigned f, const CPoint& p) override { T::OnMouseMove(f, p); }
    void HandleMouseLeave() override { T::OnMouseLeave(); }
    // The platform class paints the window itself; CustomWindow paints the
    // control tree, starting with the window's background.
    void HandlePaint(CDC* dc, const CRect& rect) override {
        dc->FillSolidRect(rect, T::GetBackground());
        PaintChildren(dc, rect);
    }

protected:
    void ForgetControl(Control* c) override;

    bool OnCreate() override;
    void OnDestroy() override;
    void OnSize(int cx, int cy) override {
        T::OnSize(cx, cy);
        LayoutControls();
    }
    void OnKeyDown(unsigned k, unsigned r, unsigned f) override { Send<KeyDownEvent>(k, r, f); }
    void OnKeyUp(unsigned k, unsigned r, unsigned f) override { Send<KeyUpEvent>(k, r, f); }
    void OnLButtonDown(unsigned f, plat::Point p) override { Send<LeftDownEvent>(f, p); }
    void OnLButtonUp(unsigned f, plat::Point p) override { Send<LeftUpEvent>(f, p); }
    void OnLButtonDblClk(unsigned f, plat::Point p) override { Send<LeftDoubleClickEvent>(f, p); }
    void OnRButtonDown(unsigned f, plat::Point p) override { Send<RightDownEvent>(f, p); }
    void OnRButtonUp(unsigned f, plat::Point p) override { Send<RightUpEvent>(f, p); }
    void OnRButtonDblClk(unsigned f, plat::Point p) override { Send<RightDoubleClickEvent>(f, p); }
    void OnMouseMove(unsigned f, plat::Point p) override;
    void OnMouseLeave() override;
    bool OnSetCursor(plat::Wnd* wnd, unsigned hit, unsigned message) override;
    void OnSetFocus(plat::Wnd* old) override;
    void OnKillFocus(plat::Wnd* next) override;
    void OnCaptureChanged(plat::Wnd* next) override;
    void OnHScroll(unsigned code, unsigned pos, plat::Wnd* bar) override { Reflect<HorzScrollEvent>(code, pos, bar); }
    void OnVScroll(unsigned code, unsigned pos, plat::Wnd* bar) override { Reflect<VertScrollEvent>(code, pos, bar); }
    void OnIdleUpdateCmdUI() override {
        UpdateUIEvent e;
        ProcessEvent(e);
    }
    bool OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) override;

private:
    template <class E, class... A>
    void Send(A... args) {
        E e(args...);
        ProcessEvent(e);
    }
    template <class E>
    void Reflect(unsigned code, unsigned pos, plat::Wnd* bar);
    CRect PlatformRect() const;
    // Shown while it wants to be and its ancestors are visible.
    void ApplyVisibility();

    Control* focus_ = nullptr;
    Control* capture_ = nullptr;
    bool tracked_ = false;
    CRect layoutRect_;
    bool boundsOutOfDate_ = true;
    unsigned style_ = plat::WS_CHILD | plat::WS_VISIBLE, exStyle_ = 0, id_ = 0;
    mutable std::unique_ptr<WindowTipCtrl> tip_;
};

// --- Implementation ---

template <class T>
WindowTipCtrl* Window<T>::GetHintWindow() const {
    if (GetParent()) return Control::GetHintWindow();
    if (!tip_) tip_ = std::make_unique<WindowTipCtrl>();
    if (!tip_->Exists() && T::Exists()) tip_->CreateFor(const_cast<Window*>(this));
    return tip_.get();
}

template <class T>
CRect Window<T>::Bounds() const {
    if (!T::Exists()) return CRect();
    Container* host = GetParent();
    plat::Wnd* hw = host ? host->GetWindow() : nullptr;
    if (!hw || !hw->Exists()) return T::GetRect();
    return hw->ScreenToClient(T::GetScreenRect()).Offsetted(-host->GetWindowOffset());
}

template <class T>
void Window<T>::SetCaptureControl(Control* c) {
    if (c == capture_) return;
    capture_ = c;
    if (c) T::SetCapture();
    else if (plat::Wnd::GetCapture() == this) plat::Wnd::ReleaseCapture();
}

template <class T>
void Window<T>::SetFocusControl(Control* c) {
    if (c == focus_) return;
    if (focus_) {
        UnfocusEvent u;
        focus_->ProcessEvent(u);
    } else {
        // Recording the window first keeps the focus-gained message that the
        // platform call causes from starting this sequence again.
        focus_ = this;
        T::SetFocus();
    }
    if (c) {
        focus_ = this;
        T::SetFocus();
        FocusEvent f;
        c->ProcessEvent(f);
    }
    focus_ = c;
}

template <class T>
void Window<T>::ForgetControl(Control* c) {
    if (focus_ && focus_ != this && focus_->IsWithin(c)) focus_ = nullptr;
    if (capture_ && capture_ != this && capture_->IsWithin(c)) SetCaptureControl(nullptr);
    if (GetParent()) Container::ForgetControl(c);
}

template <class T>
CRect Window<T>::PlatformRect() const {
    CPoint offset = GetParent() ? GetParent()->GetWindowOffset() : CPoint();
    return layoutRect_.Offsetted(offset);
}

template <class T>
bool Window<T>::AncestorsVisible() const {
    for (const Container* c = GetParent(); c; c = c->GetParent()) {
        if (dynamic_cast<const plat::Wnd*>(c)) return true;  // the host
        if (!c->Visible()) return false;
    }
    return false;  // cut off from its host
}

template <class T>
void Window<T>::ApplyVisibility() {
    if (!T::Exists() || !GetParent()) return;
    bool shown = (style_ & plat::WS_VISIBLE) && AncestorsVisible();
    if (shown != T::IsVisible()) T::ShowWindow(shown ? plat::SW_SHOW : plat::SW_HIDE);
}

template <class T>
bool Window<T>::DoCreateWindow() {
    Container* host = GetParent();
    plat::Wnd* hw = host ? host->GetWindow() : nullptr;
    if (!hw || !hw->Exists()) return false;
    unsigned style = style_ | plat::WS_CHILD;
    if (!AncestorsVisible()) style &= ~plat::WS_VISIBLE;
    return T::Create(hw, PlatformRect(), style, id_, std::string(), exStyle_);
}

template <class T>
void Window<T>::HandleWindowCreate() {
    if (T::Exists() || !DoCreateWindow()) return;
    if (const CFont* f = GetParent() ? GetParent()->Font() : nullptr) T::SetFont(f, true);
    boundsOutOfDate_ = true;
    UpdateWindowBounds();
}

template <class T>
void Window<T>::HandleWindowDestroy() {
    if (T::Exists()) T::Destroy();
}

template <class T>
void Window<T>::HandleWindowBounds(bool update) {
    if (!update) return UpdateBounds();
    boundsOutOfDate_ = true;
    UpdateWindowBounds();
    ApplyVisibility();
}

template <class T>
void Window<T>::HandleWindowVisible(bool visible) {
    if (visible) style_ |= plat::WS_VISIBLE;
    else style_ &= ~plat::WS_VISIBLE;
    if (!T::Exists()) return;
    if (GetParent()) ApplyVisibility();
    else T::ShowWindow(visible ? plat::SW_SHOW : plat::SW_HIDE);
}

template <class T>
void Window<T>::InvalidateWindowBounds() {
    boundsOutOfDate_ = true;
    if (T::Exists()) T::InvalidateAll(true);
}

template <class T>
void Window<T>::UpdateWindowBounds() {
    if (!boundsOutOfDate_ || !T::Exists() || !GetParent()) return;
    T::MoveWindow(PlatformRect());
    T::UpdateWindow();
    boundsOutOfDate_ = false;
}

template <class T>
void Window<T>::ProcessEvent(Event& e) {
    switch (e.GetRoute()) {
        case EventRoute::Window:
            AsWindowEvent(e).DeliverToWindow(*this);
            return;
        case EventRoute::Pointer:
        case EventRoute::PointerEnter:
        case EventRoute::Cursor:
            if (Control* cap = capture_; cap && cap != this) {
                // The capture control gets the pointer wherever it is, in its own
                // coordinates. A cursor request it leaves unhandled ends here too
                // (the platform's default cursor applies).
                MouseEvent& m = AsMouseEvent(e);
                CPoint saved = m.point;
                m.point = saved - cap->GetWindowOffset();
                cap->ProcessEvent(e);
                m.point = saved;
                return;
            }
            break;
        case EventRoute::Key:
            if (focus_ && focus_ != this) return focus_->ProcessEvent(e);
            break;
        default:
            break;
    }
    Container::ProcessEvent(e);
}

template <class T>
bool Window<T>::OnCreate() {
    if (!T::OnCreate()) return false;
    WindowCreateEvent e;
    for (Control* c : std::vector<Control*>(Controls().begin(), Controls().end())) c->ProcessEvent(e);
    return true;
}

template <class T>
void Window<T>::OnDestroy() {
    WindowDestroyEvent e;
    for (Control* c : std::vector<Control*>(Controls().begin(), Controls().end())) c->ProcessEvent(e);
    focus_ = capture_ = nullptr;
    tracked_ = false;
    if (tip_ && tip_->Exists()) tip_->Destroy();
    T::OnDestroy();
}

template <class T>
void Window<T>::OnMouseMove(unsigned f, plat::Point p) {
    if (!tracked_) {
        tracked_ = true;
        MouseEnterEvent enter(f, p);
        ProcessEvent(enter);
        T::TrackMouseLeave();
    }
    MouseMoveEvent move(f, p);
    ProcessEvent(move);
}

template <class T>
void Window<T>::OnMouseLeave() {
    MouseLeaveEvent e;
    ProcessEvent(e);
    tracked_ = false;
}

template <class T>
bool Window<T>::OnSetCursor(plat::Wnd* wnd, unsigned hit, unsigned message) {
    if (wnd == this && hit == plat::HTCLIENT) {
        plat::App* app = plat::App::Instance();
        CursorEvent e(0, T::ScreenToClient(app ? app->GetCursorPos() : CPoint()));
        ProcessEvent(e);
        if (e.handled) return true;
    }
    return T::OnSetCursor(wnd, hit, message);
}

template <class T>
void Window<T>::OnSetFocus(plat::Wnd* old) {
    SetFocusControl(this);
    T::OnSetFocus(old);
}

template <class T>
void Window<T>::OnKillFocus(plat::Wnd* next) {
    T::OnKillFocus(next);
    // The control that had the focus hears that it lost it.
    if (Control* old = focus_) {
        focus_ = nullptr;
        UnfocusEvent u;
        old->ProcessEvent(u);
    }
}

template <class T>
void Window<T>::OnCaptureChanged(plat::Wnd* next) {
    T::OnCaptureChanged(next);
    // The platform took the capture away: no control holds it any more.
    if (next != this) capture_ = nullptr;
}

template <class T>
template <class E>
void Window<T>::Reflect(unsigned code, unsigned pos, plat::Wnd* bar) {
    if (auto* listener = dynamic_cast<EventListener*>(bar)) {
        E e(code, pos, bar);
        listener->ProcessEvent(e);
    } else if (std::is_same<E, HorzScrollEvent>::value) {
        T::OnHScroll(code, pos, bar);
    } else {
        T::OnVScroll(code, pos, bar);
    }
}

template <class T>
bool Window<T>::OnCmdMsg(unsigned id, int code, plat::CmdUI* ui) {
    if (code == plat::CN_COMMAND) {
        CommandEvent e(id);
        ProcessEvent(e);
        if (e.handled) return true;
    } else if (code == plat::CN_UPDATE_COMMAND_UI && ui) {
        UpdateCommandUIEvent e(id, ui);
        ProcessEvent(e);
        if (e.handled) return true;
    }
    return T::OnCmdMsg(id, code, ui);
}

}  // namespace Kor
