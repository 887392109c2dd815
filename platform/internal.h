// Shared state of the window layer, for the layer's own files only.
#pragma once

#include "platform/app.h"
#include "platform/backend.h"
#include "platform/bitmap.h"
#include "platform/cursor.h"
#include "platform/keys.h"
#include "platform/profile.h"
#include "platform/scroll_bar_layout.h"
#include "platform/wnd.h"

#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

namespace plat {

// Per top-level window: the backend's window and the backing surface.
struct TopLevel {
    std::unique_ptr<TopLevelPort> port;
    Bitmap surface;
    Wnd* lastFocus = nullptr;  // restored when the window is activated again
};

struct TimerEntry {
    Wnd* wnd;
    std::weak_ptr<int> alive;
    unsigned id;
    unsigned period;
    std::uint64_t due;
};

// A press in a built-in scroll bar, until the button is released.
struct BarTracking {
    Wnd* wnd = nullptr;
    int bar = 0;  // SB_HORZ or SB_VERT
    ScrollBarDrag drag;
};

struct App::Impl {
    std::unique_ptr<Backend> backend;
    bool headless = false;
    std::vector<Wnd*> topLevels;
    Wnd* focus = nullptr;
    Wnd* capture = nullptr;
    Wnd* active = nullptr;

    // The pointer: where it is, which window and part lie under it.
    Point cursorPos;
    Wnd* hover = nullptr;
    unsigned hoverHit = HTNOWHERE;
    std::vector<Wnd*> leaveTracking;
    unsigned buttons = 0;  // MK_LBUTTON | MK_RBUTTON | MK_MBUTTON
    std::set<unsigned> keysDown;

    struct Click {
        bool armed = false;
        unsigned button = 0;
        std::uint64_t time = 0;
        Point screen;
        Wnd* wnd = nullptr;
    } lastClick;
    BarTracking bar;

    std::vector<TimerEntry> timers;
    std::mutex postMutex;
    std::deque<std::function<void()>> posted;
    std::exception_ptr pending;
    App::WorkGuard workGuard;  // runs each dispatched piece of work (empty: the work itself)
    bool quit = false;
    int quitCode = 0;

    Cursor cursor;
    int waitCount = 0;

    std::string registryKey, appName;
    std::unique_ptr<Profile> profile;

    std::uint64_t NextTimerDue() const;
    void RescheduleTimers();
    void Forget(Wnd* w);  // the window is going away
};

App::Impl& TheImpl();  // of App::Instance(); the App must exist

// The layer's access to windows' internals and message handlers.
struct WndAccess {
    static TopLevel* Top(Wnd& w) { return w.top_.get(); }
    static Rect Box(const Wnd& w);  // window rectangle on the backing surface
    static void ResetTrackLeave(Wnd& w) { w.trackLeave_ = false; }
    static void NonClientDirty(Wnd& w) { w.ncDirty_ = true; }
    static void SetTopRect(Wnd& w, const Rect& screenRect);
    static void Resized(Wnd& w, Size size);
    static Region VisibleRegion(const Wnd& w, bool clientOnly) { return w.VisibleRegion(clientOnly); }
    static void PaintTree(Wnd& w) { w.PaintTree(true); }

    static void LButtonDown(Wnd& w, unsigned f, Point p) { w.OnLButtonDown(f, p); }
    static void LButtonUp(Wnd& w, unsigned f, Point p) { w.OnLButtonUp(f, p); }
    static void LButtonDblClk(Wnd& w, unsigned f, Point p) { w.OnLButtonDblClk(f, p); }
    static void RButtonDown(Wnd& w, unsigned f, Point p) { w.OnRButtonDown(f, p); }
    static void RButtonUp(Wnd& w, unsigned f, Point p) { w.OnRButtonUp(f, p); }
    static void RButtonDblClk(Wnd& w, unsigned f, Point p) { w.OnRButtonDblClk(f, p); }
    static void MButtonDown(Wnd& w, unsigned f, Point p) { w.OnMButtonDown(f, p); }
    static void MButtonUp(Wnd& w, unsigned f, Point p) { w.OnMButtonUp(f, p); }
    static void MouseMove(Wnd& w, unsigned f, Point p) { w.OnMouseMove(f, p); }
    static void MouseLeave(Wnd& w) { w.OnMouseLeave(); }
    static void MouseWheel(Wnd& w, unsigned f, int d, Point s) { w.OnMouseWheel(f, d, s); }
    static void MouseHWheel(Wnd& w, unsigned f, int d, Point s) { w.OnMouseHWheel(f, d, s); }
    static bool SetCursor(Wnd& w, Wnd* target, unsigned hit, unsigned msg) { return w.OnSetCursor(target, hit, msg); }
    static void KeyDown(Wnd& w, unsigned k, unsigned r, unsigned f) { w.OnKeyDown(k, r, f); }
    static void KeyUp(Wnd& w, unsigned k, unsigned r, unsigned f) { w.OnKeyUp(k, r, f); }
    static void Char(Wnd& w, unsigned c, unsigned r, unsigned f) { w.OnChar(c, r, f); }
    static bool PreTranslateKey(Wnd& w, unsigned k, bool down, unsigned f) { return w.PreTranslateKey(k, down, f); }
    static void SetFocusMsg(Wnd& w, Wnd* old) { w.OnSetFocus(old); }
    static void KillFocus(Wnd& w, Wnd* next) { w.OnKillFocus(next); }
    static void CaptureChanged(Wnd& w, Wnd* next) { w.OnCaptureChanged(next); }
    static void Timer(Wnd& w, unsigned id) { w.OnTimer(id); }
    static void DropFiles(Wnd& w, const std::vector<std::string>& paths) { w.OnDropFiles(paths); }
    static void Scroll(Wnd& w, bool vert, unsigned code, unsigned pos, Wnd* bar) {
        vert ? w.OnVScroll(code, pos, bar) : w.OnHScroll(code, pos, bar);
    }
    static void ActivateMsg(Wnd& w, bool on) { w.OnActivate(on); }
    static void Close(Wnd& w) { w.OnClose(); }
    static bool Command(Wnd& w, unsigned id, unsigned code, Wnd* ctl) { return w.OnCommand(id, code, ctl); }
    static void IdleUpdate(Wnd& w) { w.OnIdleUpdateCmdUI(); }
    static void MenuSelect(Wnd& w, unsigned id) { w.OnMenuSelect(id); }
    static const ScrollInfo& Scroll(const Wnd& w, int bar) { return w.scroll_[bar]; }
    static bool BarShown(const Wnd& w, int bar) { return w.barShown_[bar]; }
};

// A built-in bar of `w` (SB_HORZ or SB_VERT), in window-box coordinates.
ScrollBarLayout BuiltInBarLayout(const Wnd& w, int bar);

// Disables the owner window (or the active or main window) while a native
// dialog runs, and enables and activates it again afterwards.
class OwnerDisabled {
public:
    explicit OwnerDisabled(Wnd* owner);
    ~OwnerDisabled();
    Wnd* Owner() const { return owner_; }

private:
    Wnd* owner_;
    WndGuard guard_;
    bool disabled_;
    Wnd* focus_;  // the focus before, restored afterwards
    WndGuard focusGuard_;
};

// Input entry points: the backends report native input here, in surface
// coordinates of the top-level window it happened in. Each call is one
// piece of work the loop dispatches (App::Dispatch).
namespace input {
enum class MouseAction { Move, LeftDown, LeftUp, RightDown, RightUp, MiddleDown, MiddleUp };
// With a move, a backend that knows which buttons are held adds this flag to
// the modifiers with MK_LBUTTON, MK_RBUTTON and MK_MBUTTON as they are: a
// release that never reached the window (taken by a grab, another program)
// then shows in the move's flags.
constexpr unsigned kButtonsKnown = 0x80000000u;
void Mouse(Wnd& top, Point surfacePoint, MouseAction action, unsigned modifiers);
// `delta` in wheel units (kWheelDelta a notch): vertical turns positive away
// from the user, horizontal ones positive to the right.
void Wheel(Wnd& top, Point surfacePoint, int delta, unsigned modifiers, bool horizontal = false);
void PointerLeft(Wnd& top);
// The window system took the pointer grab away (another program's grab, a
// native dialog): a capture held in `top` ends.
void CaptureBroken(Wnd& top);
// `ch` is the character the key types (0 for none).
void Key(Wnd* top, unsigned vk, bool down, unsigned ch);
// A typed character that no key stands for (composed or pasted input).
void Text(Wnd* top, unsigned ch);
void Activated(Wnd& top, bool active);
void CloseRequested(Wnd& top);
// Files were dropped on `top` (local paths); only a window that accepts
// files (WS_EX_ACCEPTFILES) and is not disabled by a modal dialog hears it.
void FilesDropped(Wnd& top, const std::vector<std::string>& paths);
void Resized(Wnd& top, Size size);
void Moved(Wnd& top, Point screenTopLeft);
void MenuCommand(Wnd& top, unsigned id);
void MenuSelect(Wnd& top, unsigned id);
// A menu of `top` opens: its items' states are brought up to date.
void MenuOpened(Wnd& top, Menu& menu);
// Re-evaluates which windows tracking the pointer have lost it.
void UpdateLeaveTracking();
// Activates `top` (the active window changes, focus moves into it).
void SetActive(Wnd* top, bool moveFocus);
void SetFocusTo(Wnd* w);
}  // namespace input

}  // namespace plat
