// The window tree: creation and destruction, geometry, showing, enabling,
// focus and capture requests, timers, commands and modal loops. Painting,
// with the built-in scroll bars' place and state, is in wnd_paint.cpp; the
// bars' geometry, hit test and dragging in scroll_bar_layout.cpp; input
// routing in input.cpp.
#include "platform/wnd.h"

#include "platform/accel.h"
#include "platform/internal.h"
#include "platform/debug_output.h"
#include "platform/menu.h"
#include "platform/message_box.h"

#include <algorithm>
#include <cstdlib>

namespace plat {

struct Wnd::ModalState {
    bool ended = false;
    int result = IDCANCEL;
};

Wnd::Wnd() : alive_(std::make_shared<int>(0)) {}

Wnd::~Wnd() {
    if (created_) Destroy();
    alive_.reset();
}

WndGuard::WndGuard(Wnd* w) : wnd_(w), token_(w ? w->alive_ : nullptr) {}

bool WndGuard::Alive() const { return wnd_ && !token_.expired() && wnd_->Exists(); }

bool Wnd::Create(Wnd* parent, const Rect& rect, unsigned style, unsigned id, const std::string& text,
                 unsigned exStyle) {
    App* app = App::Instance();
    if (created_ || !app || !app->Ok()) return false;
    bool child = style & WS_CHILD;
    if (child && (!parent || !parent->Exists())) return false;
    style_ = style;
    exStyle_ = exStyle;
    id_ = id;
    text_ = text;
    rect_ = rect;
    rect_.Normalize();
    barShown_[0] = barShown_[1] = false;
    App::Impl& impl = app->GetImpl();
    if (child) {
        parent_ = parent;
        parent_->children_.push_back(this);
        if (!hasFont_ && parent_->hasFont_) {
            font_ = parent_->font_;
            hasFont_ = true;
        }
    } else {
        owner_ = parent ? parent->GetTopLevel() : nullptr;
        top_ = std::make_unique<TopLevel>();
        top_->surface = Bitmap(std::max(rect_.Width(), 1), std::max(rect_.Height(), 1), background_);
        top_->port = impl.backend->CreatePort(*this);
        top_->port->SetTitle(text_);
        impl.topLevels.push_back(this);
    }
    created_ = true;
    ncDirty_ = true;
    WndGuard guard(this);
    if (!OnCreate()) {
        if (guard) Destroy();
        return false;
    }
    if (!guard) return false;
    Rect client = GetClientRect();
    OnSize(client.Width(), client.Height());
    if (!guard) return false;
    if (style_ & WS_VISIBLE) {
        style_ &= ~WS_VISIBLE;
        ShowWindow((style_ & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return guard.Alive();
}

bool Wnd::CreateMessageWindow() {
    App* app = App::Instance();
    if (created_ || !app || !app->Ok()) return false;
    style_ = 0;
    messageOnly_ = true;
    created_ = true;
    return OnCreate();
}

void Wnd::Destroy() {
    if (!created_ || destroying_) return;
    if (!App::Instance()) {
        // The application went first (it destroyed every window it knew of):
        // nothing is left to tell.
        created_ = false;
        return;
    }
    destroying_ = true;
    if (modal_) {
        modal_->ended = true;
        modal_->result = IDABORT;
    }
    App::Impl& impl = TheImpl();
    // Windows owned by this one go first (dialogs of a frame).
    if (!(style_ & WS_CHILD))
        for (Wnd* w : std::vector<Wnd*>(impl.topLevels))
            if (w != this && w->owner_ == this) w->Destroy();
    OnDestroy();
    while (!children_.empty()) {
        Wnd* c = children_.back();
        c->Destroy();
        if (!children_.empty() && children_.back() == c) children_.pop_back();  // it refused to go
    }
    bool wasVisible = IsWindowVisible();
    impl.Forget(this);
    if (parent_) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        if (wasVisible) Uncover(rect_);
        parent_ = nullptr;
    }
    if (Menu* m = GetMenu()) m->SetChangeListener(nullptr);
    if (top_) {
        top_->port.reset();
        top_.reset();
    }
    App* app = App::Instance();
    if (app && app->GetMainWnd() == this) {
        app->SetMainWnd(nullptr);
        app->Quit(0);
    }
    created_ = false;
    destroying_ = false;
    messageOnly_ = false;
    trackLeave_ = false;
    update_.Clear();
}

Wnd* Wnd::GetTopLevel() {
    Wnd* w = this;
    while (w->parent_) w = w->parent_;
    return w;
}

Wnd* Wnd::GetDlgItem(unsigned id) const {
    for (Wnd* c : children_)
        if (c->id_ == id) return c;
    return nullptr;
}

bool Wnd::IsChildOf(const Wnd* ancestor) const {
    for (const Wnd* w = parent_; w; w = w->parent_)
        if (w == ancestor) return true;
    return false;
}

void Wnd::ModifyStyle(unsigned remove, unsigned add) {
    unsigned old = style_;
    style_ = (style_ & ~remove) | add;
    if ((old ^ style_) & (WS_BORDER | WS_HSCROLL | WS_VSCROLL)) LayoutNonClient();
}

void Wnd::ModifyExStyle(unsigned remove, unsigned add) {
    unsigned old = exStyle_;
    exStyle_ = (exStyle_ & ~remove) | add;
    if ((old ^ exStyle_) & WS_EX_CLIENTEDGE) LayoutNonClient();
}

void Wnd::SetText(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    if (top_ && top_->port) top_->port->SetTitle(text_);
    else InvalidateAll(true);
}

void Wnd::SetFont(const Font* font, bool redraw) {
    hasFont_ = font != nullptr;
    if (font) font_ = *font;
    if (redraw) InvalidateAll(true);
}

// --- Geometry ---

Rect Wnd::NonClientInsets(bool withBars) const {
    int e = 0;
    if ((style_ & WS_BORDER) && (style_ & WS_CHILD)) e += kBorderSize;
    if (exStyle_ & WS_EX_CLIENTEDGE) e += kClientEdgeSize;
    Rect in(e, e, e, e);
    if (withBars) {
        if (barShown_[SB_VERT]) in.right += kScrollBarSize;
        if (barShown_[SB_HORZ]) in.bottom += kScrollBarSize;
    }
    return in;
}

Rect Wnd::GetClientArea() const {
    Rect in = NonClientInsets(true);
    Rect r(in.left, in.top, rect_.Width() - in.right, rect_.Height() - in.bottom);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

Rect Wnd::GetClientRect() const {
    if (!created_ || messageOnly_) return Rect();
    Rect a = GetClientArea();
    return Rect(0, 0, a.Width(), a.Height());
}

Rect WndAccess::Box(const Wnd& w) {
    if (!w.parent_) return Rect(Point(), w.rect_.GetSize());
    return w.rect_.Offsetted(w.parent_->SurfaceOrigin());
}

Point Wnd::SurfaceOrigin() const {
    return WndAccess::Box(*this).TopLeft() + GetClientArea().TopLeft();
}

Point Wnd::ClientToScreen(Point p) const {
    if (!created_ || messageOnly_) return p;
    const Wnd* top = this;
    while (top->parent_) top = top->parent_;
    return p + SurfaceOrigin() + top->rect_.TopLeft();
}

Rect Wnd::ClientToScreen(const Rect& r) const {
    return Rect(ClientToScreen(r.TopLeft()), r.GetSize());
}

Point Wnd::ScreenToClient(Point p) const {
    return p - ClientToScreen(Point());
}

Rect Wnd::ScreenToClient(const Rect& r) const {
    return Rect(ScreenToClient(r.TopLeft()), r.GetSize());
}

Rect Wnd::GetScreenRect() const {
    if (!parent_) return rect_;
    return Rect(parent_->ClientToScreen(rect_.TopLeft()), rect_.GetSize());
}

void Wnd::NotifySizeChanged(Size oldClient) {
    Rect c = GetClientRect();
    if (c.GetSize() != oldClient) OnSize(c.Width(), c.Height());
}

void Wnd::ResizeSurface() {
    if (!top_) return;
    Size want(std::max(rect_.Width(), 1), std::max(rect_.Height(), 1));
    if (top_->surface.GetSize() == want) return;
    Bitmap grown(want.cx, want.cy, background_);
    {
        DC dc(grown);
        dc.BitBlt(0, 0, want.cx, want.cy, top_->surface, 0, 0);
    }
    top_->surface = std::move(grown);
}

void WndAccess::SetTopRect(Wnd& w, const Rect& screenRect) {
    Size oldClient = w.GetClientRect().GetSize();
    bool resized = screenRect.GetSize() != w.rect_.GetSize();
    w.rect_ = screenRect;
    if (resized) {
        w.ResizeSurface();
        w.ncDirty_ = true;
        w.InvalidateAll(true);
        w.NotifySizeChanged(oldClient);
    }
}

void WndAccess::Resized(Wnd& w, Size size) {
    SetTopRect(w, Rect(w.rect_.TopLeft(), size));
}

void Wnd::MoveWindow(const Rect& rect, bool repaint) {
    if (!created_ || messageOnly_) return;
    Rect r = rect;
    r.Normalize();
    if (r == rect_) return;
    if (!parent_) {
        WndAccess::SetTopRect(*this, r);
        if (top_->port) top_->port->Move(r);
        return;
    }
    Size oldClient = GetClientRect().GetSize();
    if (repaint && IsWindowVisible()) Uncover(rect_);
    rect_ = r;
    LayoutNonClient();
    InvalidateTree();  // every pixel of this window and its children moved
    NotifySizeChanged(oldClient);
}

void Wnd::Uncover(const Rect& old) {
    parent_->InvalidateRect(old, true);
    // Siblings added earlier lie beneath; a parent that clips its children
    // does not repaint them.
    for (Wnd* s : parent_->children_) {
        if (s == this) break;
        if (s->IsVisible() && s->rect_.Intersects(old)) s->InvalidateTree();
    }
}

// --- Showing and enabling ---

bool Wnd::IsWindowVisible() const {
    if (!created_ || messageOnly_) return false;
    for (const Wnd* w = this; w; w = w->parent_)
        if (!(w->style_ & WS_VISIBLE)) return false;
    return true;
}

bool Wnd::IsWindowEnabled() const {
    if (!created_) return false;
    for (const Wnd* w = this; w; w = w->parent_)
        if (w->style_ & WS_DISABLED) return false;
    return true;
}

namespace {
// Focus and capture cannot stay in a window that is hidden or disabled.
void DropInputFrom(Wnd* w) {
    App::Impl& impl = TheImpl();
    if (impl.capture && (impl.capture == w || impl.capture->IsChildOf(w))) Wnd::ReleaseCapture();
    if (impl.focus && (impl.focus == w || impl.focus->IsChildOf(w))) input::SetFocusTo(nullptr);
}
}  // namespace

void Wnd::ShowWindow(int cmd) {
    if (!created_ || messageOnly_) return;
    bool show = cmd != SW_HIDE;
    bool maximize = cmd == SW_SHOWMAXIMIZED;
    if (show == IsVisible() && !maximize) return;
    WndGuard guard(this);
    if (show) style_ |= WS_VISIBLE;
    else style_ &= ~WS_VISIBLE;
    OnShowWindow(show);
    if (!guard) return;
    if (!parent_) {
        if (maximize && TheImpl().headless) {
            Size s = TheImpl().backend->ScreenSize();
            WndAccess::SetTopRect(*this, Rect(0, 0, s.cx, s.cy));
        }
        top_->port->Show(show, cmd != SW_SHOWNOACTIVATE, maximize);
        if (show) {
            ncDirty_ = true;
            InvalidateAll(true);
            // What the window shows of command states is refreshed at once.
            TheImpl().backend->RequestIdle();
            if (cmd != SW_SHOWNOACTIVATE && !(exStyle_ & WS_EX_TOOLWINDOW)) Activate();
        } else {
            DropInputFrom(this);
            if (TheImpl().active == this) input::SetActive(owner_ && owner_->IsWindowVisible() ? owner_ : nullptr, true);
        }
        return;
    }
    if (show) {
        InvalidateTree();
    } else {
        DropInputFrom(this);
        Uncover(rect_);
    }
}

void Wnd::EnableWindow(bool enable) {
    if (!created_ || enable == IsEnabled()) return;
    if (enable) style_ &= ~WS_DISABLED;
    else style_ |= WS_DISABLED;
    if (!enable) DropInputFrom(this);
    WndGuard guard(this);
    OnEnable(enable);
    if (!guard) return;
    ncDirty_ = true;
    InvalidateAll(true);
}

// --- Input requests ---

void Wnd::SetCapture() {
    if (!created_ || messageOnly_) return;
    App::Impl& impl = TheImpl();
    if (impl.capture == this) return;
    Wnd* old = impl.capture;
    impl.capture = this;
    if (old) WndAccess::CaptureChanged(*old, this);
}

void Wnd::ReleaseCapture() {
    App* app = App::Instance();
    if (!app) return;
    App::Impl& impl = app->GetImpl();
    Wnd* old = impl.capture;
    if (!old) return;
    impl.capture = nullptr;
    WndAccess::CaptureChanged(*old, nullptr);
    input::UpdateLeaveTracking();
}

Wnd* Wnd::GetCapture() {
    App* app = App::Instance();
    return app ? app->GetImpl().capture : nullptr;
}

void Wnd::SetFocus() { input::SetFocusTo(this); }

Wnd* Wnd::GetFocus() {
    App* app = App::Instance();
    return app ? app->GetImpl().focus : nullptr;
}

void Wnd::TrackMouseLeave() {
    if (!created_ || messageOnly_ || trackLeave_) return;
    App::Impl& impl = TheImpl();
    trackLeave_ = true;
    impl.leaveTracking.push_back(this);
    // Asked while the pointer is elsewhere: the leave comes at once (later,
    // from the loop, so that the caller finishes first).
    if (!(impl.hover == this && impl.hoverHit == HTCLIENT) && impl.capture != this) {
        WndGuard guard(this);
        App::Instance()->Post([guard, this] {
            if (guard) input::UpdateLeaveTracking();
        });
    }
}

void Wnd::RefreshCursor() {
    if (!created_ || messageOnly_) return;
    App::Impl& impl = TheImpl();
    unsigned hit = impl.hover == this ? impl.hoverHit : HTCLIENT;
    OnSetCursor(this, hit, WM_MOUSEMOVE);
}

bool Wnd::OnSetCursor(Wnd* wnd, unsigned hitTest, unsigned message) {
    if (parent_ && parent_->OnSetCursor(wnd, hitTest, message)) return true;
    if (wnd == this) plat::SetCursor(Cursor());
    return false;
}

namespace {
// A built-in bar scrolls a line for every third of a notch.
constexpr int kWheelLineUnit = kWheelDelta / 3;
}  // namespace

void Wnd::OnMouseWheel(unsigned flags, int delta, Point screen) {
    if (flags & MK_SHIFT) {
        OnMouseHWheel(flags, -delta, screen);  // towards the user: to the right
        return;
    }
    if (barShown_[SB_VERT]) {
        int lines = wheel_[SB_VERT].Take(delta, kWheelLineUnit);
        for (int i = 0; i < std::abs(lines); ++i) OnVScroll(lines > 0 ? SB_LINEUP : SB_LINEDOWN, 0, nullptr);
        return;
    }
    if (parent_) parent_->OnMouseWheel(flags, delta, screen);
}

void Wnd::OnMouseHWheel(unsigned flags, int delta, Point screen) {
    if (barShown_[SB_HORZ]) {
        int lines = wheel_[SB_HORZ].Take(delta, kWheelLineUnit);
        for (int i = 0; i < std::abs(lines); ++i) OnHScroll(lines > 0 ? SB_LINERIGHT : SB_LINELEFT, 0, nullptr);
        return;
    }
    if (parent_) parent_->OnMouseHWheel(flags, delta, screen);
}

// --- Timers ---

void Wnd::SetTimer(unsigned id, unsigned periodMs) {
    if (!created_) return;
    App::Impl& impl = TheImpl();
    KillTimer(id);
    unsigned period = std::max(periodMs, 10u);  // the shortest period the clock serves
    impl.timers.push_back({this, alive_, id, period, App::Instance()->Now() + period});
    impl.RescheduleTimers();
}

void Wnd::KillTimer(unsigned id) {
    App* app = App::Instance();
    if (!app) return;
    auto& t = app->GetImpl().timers;
    t.erase(std::remove_if(t.begin(), t.end(), [&](const TimerEntry& e) { return e.wnd == this && e.id == id; }),
            t.end());
    app->GetImpl().RescheduleTimers();
}

// --- Commands and menus ---

bool Wnd::SendCommand(unsigned id) {
    if (!created_) return false;
    return OnCommand(id, 0, nullptr);
}

bool Wnd::UpdateCommand(CmdUI& ui) { return OnCmdMsg(ui.GetID(), CN_UPDATE_COMMAND_UI, &ui); }

bool Wnd::OnCommand(unsigned id, unsigned notifyCode, Wnd* control) {
    if (notifyCode == 0 && !control) {
        // A command from a menu or an accelerator: ignored while its state
        // handler says it is disabled.
        CmdUI state(id);
        if (UpdateCommand(state) && !state.IsEnabled()) return true;
    }
    if (notifyCode == 0 && OnCmdMsg(id, CN_COMMAND, nullptr)) return true;
    if (control && parent_) return parent_->OnCommand(id, notifyCode, control);
    return false;
}

bool Wnd::OnCmdMsg(unsigned id, int code, CmdUI* ui) {
    if (CmdTarget::OnCmdMsg(id, code, ui)) return true;
    App* app = App::Instance();
    if (created_ && !parent_ && !messageOnly_ && app) return app->OnCmdMsg(id, code, ui);
    return false;
}

bool Wnd::PreTranslateKey(unsigned key, bool down, unsigned flags) {
    (void)flags;
    if (!down || parent_ || !accel_) return false;
    unsigned cmd = accel_->Translate(key, IsKeyDown(VK_SHIFT), IsKeyDown(VK_CONTROL), IsKeyDown(VK_MENU));
    if (!cmd) return false;
    // A window that takes typed text keeps the keys that type it.
    Wnd* focus = GetFocus();
    if (focus && focus->WantsChars() && !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU) && AccelTable::TypesText(key))
        return false;
    SendCommand(cmd);
    return true;
}

void Wnd::SetMenu(Menu* menu) {
    if (Menu* old = GetMenu(); old && old != menu) old->SetChangeListener(nullptr);
    menu_ = menu;
    menuToken_ = menu ? menu->AliveToken() : std::weak_ptr<int>();
    DrawMenuBar();
}

void Wnd::DrawMenuBar() {
    if (top_ && top_->port) top_->port->MenuChanged(GetMenu());
}

// --- Modal loops and activation ---

int Wnd::RunModalLoop() {
    if (!created_ || modal_) return IDABORT;
    App* app = App::Instance();
    ModalState state;
    modal_ = &state;
    // The owners cannot take input while the modal loop runs.
    std::vector<std::pair<Wnd*, WndGuard>> disabled;
    for (Wnd* o = owner_; o; o = o->owner_)
        if (o->IsEnabled()) {
            o->EnableWindow(false);
            disabled.emplace_back(o, WndGuard(o));
        }
    struct Restore {
        std::vector<std::pair<Wnd*, WndGuard>>& owners;
        WndGuard self;
        Wnd* me;
        ~Restore() {
            for (auto& o : owners)
                if (o.second) o.first->EnableWindow(true);
            if (self) me->modal_ = nullptr;
        }
    } restore{disabled, WndGuard(this), this};
    app->GetBackend().ModalLoopStarted(*this);
    while (!state.ended) {
        if (!app->PumpMessage(true) && !state.ended) {
            // Nothing can end the loop any more (a test without an answer).
            OutputDebugString("modal loop stalled: nothing can end it; ended with IDABORT");
            state.result = IDABORT;
            state.ended = true;
        }
    }
    return state.result;
}

void Wnd::EndModalLoop(int result) {
    if (!modal_) return;
    modal_->ended = true;
    modal_->result = result;
    if (App* app = App::Instance()) app->Wake();
}

void Wnd::Activate() {
    if (!created_ || messageOnly_) return;
    Wnd* top = GetTopLevel();
    if (!top->IsWindowVisible() || !top->IsWindowEnabled()) return;
    input::SetActive(top, true);
    if (top->top_ && top->top_->port) top->top_->port->Activate();
}

bool Wnd::IsActive() const {
    App* app = App::Instance();
    return app && app->GetImpl().active == this;
}

}  // namespace plat
