// A window: a node of the window tree. Top-level windows (frames, dialogs,
// pop-ups) are windows of the backend, each with a backing surface; child
// windows (views, edits, scroll bars, dialog controls) have a rectangle in
// their parent's client coordinates and are drawn by this layer into the
// top-level's backing surface, clipped to what of them is visible.
//
// A window's rectangle holds its non-client part (border, sunken client edge,
// built-in scroll bars) around its client area; client coordinates start at
// the client area's top-left corner. Children lie above their parent and later
// children above earlier ones; painting never draws over a window that lies
// above. Messages arrive as calls of the protected On... handlers.
#pragma once

#include "platform/cmd_target.h"
#include "platform/dc.h"
#include "platform/draw_objects.h"
#include "platform/geometry.h"
#include "platform/keys.h"
#include "platform/region.h"
#include "platform/wheel.h"

#include <memory>
#include <string>
#include <vector>

namespace plat {

class Menu;
class AccelTable;
struct TopLevel;

// Window styles.
enum : unsigned {
    WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_VISIBLE = 0x10000000u, WS_DISABLED = 0x08000000u,
    WS_CLIPSIBLINGS = 0x04000000u, WS_CLIPCHILDREN = 0x02000000u, WS_MAXIMIZE = 0x01000000u,
    WS_CAPTION = 0x00C00000u, WS_BORDER = 0x00800000u, WS_VSCROLL = 0x00200000u, WS_HSCROLL = 0x00100000u,
    WS_THICKFRAME = 0x00040000u, WS_TABSTOP = 0x00010000u, WS_OVERLAPPEDWINDOW = 0x00CF0000u,
};
// Extended styles.
// WS_EX_ACCEPTFILES: files dropped on the top-level window reach its
// OnDropFiles.
enum : unsigned { WS_EX_ACCEPTFILES = 0x10u, WS_EX_TOOLWINDOW = 0x80u, WS_EX_CLIENTEDGE = 0x200u };
// ShowWindow commands.
enum : int { SW_HIDE = 0, SW_SHOWNORMAL = 1, SW_SHOWMAXIMIZED = 3, SW_SHOWNOACTIVATE = 4, SW_SHOW = 5 };

// Scroll bar state: range [min, max], page size and position.
struct ScrollInfo {
    int min = 0, max = 0;
    unsigned page = 0;
    int pos = 0;
    // A bar is shown only while the page does not exceed the range.
    bool NeedsBar() const { return max > min && int(page) <= max - min; }
    int MaxPos() const { return page > 0 ? max - int(page) + 1 : max; }
};

// Sizes of the non-client parts, in pixels.
constexpr int kScrollBarSize = 16;
constexpr int kBorderSize = 1;
constexpr int kClientEdgeSize = 2;

class Wnd : public CmdTarget {
public:
    Wnd();
    ~Wnd() override;
    Wnd(const Wnd&) = delete;
    Wnd& operator=(const Wnd&) = delete;

    // --- Life cycle ---
    // A child window when `style` has WS_CHILD (then `parent` must exist);
    // otherwise a top-level window owned by `parent` (may be null), whose
    // rectangle is in screen coordinates. False when OnCreate refuses.
    bool Create(Wnd* parent, const Rect& rect, unsigned style, unsigned id = 0, const std::string& text = {},
                unsigned exStyle = 0);
    // A hidden window without surface or backend window, for timers.
    bool CreateMessageWindow();
    // Destroys the window and its children (OnDestroy runs parent first).
    void Destroy();
    bool Exists() const { return created_; }
    bool IsTopLevel() const { return created_ && !(style_ & WS_CHILD); }
    bool IsMessageWindow() const { return messageOnly_; }

    Wnd* GetParentWnd() const { return parent_; }
    Wnd* GetOwner() const { return owner_; }
    Wnd* GetTopLevel();
    const std::vector<Wnd*>& GetChildren() const { return children_; }
    Wnd* GetDlgItem(unsigned id) const;
    bool IsChildOf(const Wnd* ancestor) const;  // strictly below `ancestor`
    unsigned GetId() const { return id_; }
    void SetId(unsigned id) { id_ = id; }
    unsigned GetStyle() const { return style_; }
    unsigned GetExStyle() const { return exStyle_; }
    void ModifyStyle(unsigned remove, unsigned add);
    void ModifyExStyle(unsigned remove, unsigned add);
    const std::string& GetText() const { return text_; }
    void SetText(const std::string& text);
    void SetFont(const Font* font, bool redraw = true);
    const Font* GetFont() const { return hasFont_ ? &font_ : nullptr; }
    void SetUserData(void* data) { userData_ = data; }
    void* GetUserData() const { return userData_; }

    // --- Geometry ---
    Rect GetRect() const { return rect_; }  // in the parent's client coordinates
    Rect GetScreenRect() const;
    Rect GetClientRect() const;             // (0, 0, client width, client height)
    Rect GetClientArea() const;             // the client area within GetRect()'s box
    Point ClientToScreen(Point p) const;
    Rect ClientToScreen(const Rect& r) const;
    Point ScreenToClient(Point p) const;
    Rect ScreenToClient(const Rect& r) const;
    void MoveWindow(const Rect& rect, bool repaint = true);
    Point SurfaceOrigin() const;  // client (0, 0) on the top-level's backing surface

    // --- Showing and enabling ---
    void ShowWindow(int cmd);
    bool IsVisible() const { return (style_ & WS_VISIBLE) != 0; }
    bool IsWindowVisible() const;  // this window and all its ancestors
    void EnableWindow(bool enable);
    bool IsEnabled() const { return !(style_ & WS_DISABLED); }
    bool IsWindowEnabled() const;  // this window and all its ancestors

    // --- Painting ---
    void InvalidateRect(const Rect& r, bool erase = true);  // client coordinates
    void InvalidateAll(bool erase = true);
    void InvalidateRegion(const Region& r, bool erase = true);
    void ValidateRect(const Rect& r);
    bool GetUpdateRect(Rect& box) const;
    const Region& GetUpdateRegion() const { return update_; }
    // Paints what is invalid in this window and its children now.
    void UpdateWindow();
    // Moves the client pixels (or those in `scrollRect`) by (dx, dy) and
    // invalidates what is uncovered. Without `scrollRect` the children move too.
    void ScrollWindow(int dx, int dy, const Rect* scrollRect = nullptr);
    void SetBackground(Color c) { background_ = c; }
    Color GetBackground() const { return background_; }

    // --- Built-in scroll bars (SB_HORZ, SB_VERT) ---
    void SetScrollInfo(int bar, const ScrollInfo& info, bool redraw = true);
    ScrollInfo GetScrollInfo(int bar) const;
    int SetScrollPos(int bar, int pos, bool redraw = true);
    int GetScrollPos(int bar) const { return GetScrollInfo(bar).pos; }
    void SetScrollRange(int bar, int min, int max, bool redraw = true);
    bool IsScrollBarShown(int bar) const;

    // --- Input ---
    void SetCapture();
    static void ReleaseCapture();
    static Wnd* GetCapture();
    // Gives this window the keyboard focus (a hidden or disabled window
    // cannot take it).
    virtual void SetFocus();
    static Wnd* GetFocus();
    // Asks for one OnMouseLeave when the pointer leaves the client area.
    void TrackMouseLeave();
    bool IsTrackingMouseLeave() const { return trackLeave_; }
    // A window that takes typed characters: single-key accelerators do not
    // steal its keys.
    virtual bool WantsChars() const { return false; }
    // Sends OnSetCursor for the client area again (after a tool change).
    void RefreshCursor();

    // --- Timers (on the application clock) ---
    void SetTimer(unsigned id, unsigned periodMs);
    void KillTimer(unsigned id);

    // --- Commands, menus, accelerators (top-level windows) ---
    // Routes a command as if chosen in this window's menu.
    bool SendCommand(unsigned id);
    // Asks the routing for a command's state; false when nobody answered.
    bool UpdateCommand(CmdUI& ui);
    // The menu is not owned; when it goes away the window shows none.
    void SetMenu(Menu* menu);
    Menu* GetMenu() const { return menuToken_.expired() ? nullptr : menu_; }
    void SetAccelerators(const AccelTable* table) { accel_ = table; }
    const AccelTable* GetAccelerators() const { return accel_; }
    void DrawMenuBar();  // the menu changed: show it again

    // --- Modal loops and activation ---
    // Runs messages until EndModalLoop; the owner chain is disabled meanwhile.
    int RunModalLoop();
    void EndModalLoop(int result);
    bool IsInModalLoop() const { return modal_ != nullptr; }
    void Activate();  // top-level: bring to the front with the focus
    bool IsActive() const;

    // Gives the window's pixels as they are on its backing surface (drawing
    // pending invalid parts first).
    Bitmap Snapshot();

protected:
    virtual bool OnCreate() { return true; }
    virtual void OnDestroy() {}
    virtual void OnSize(int cx, int cy) { (void)cx; (void)cy; }
    virtual bool OnEraseBkgnd(DC& dc);
    virtual void OnPaint(DC& dc, const Rect& updateBox) { (void)dc; (void)updateBox; }
    virtual void OnLButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnLButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnLButtonDblClk(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnRButtonDblClk(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMButtonDown(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMButtonUp(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMouseMove(unsigned flags, Point p) { (void)flags; (void)p; }
    virtual void OnMouseLeave() {}
    // Wheel turns (kWheelDelta a notch, positive away from the user; smooth
    // wheels and touchpads send parts of a notch). The default scrolls the
    // vertical bar a line for every third of a notch, or passes the turn to
    // the parent; with Shift held it turns sideways (OnMouseHWheel).
    virtual void OnMouseWheel(unsigned flags, int delta, Point screen);
    // Sideways turns (positive to the right): the horizontal bar, or the parent.
    virtual void OnMouseHWheel(unsigned flags, int delta, Point screen);
    // Sets the pointer shape for `wnd` (this window or a child asking through
    // the default handling). The default asks the parent first, then shows
    // the arrow; it returns whether the parent handled it.
    virtual bool OnSetCursor(Wnd* wnd, unsigned hitTest, unsigned message);
    virtual void OnKeyDown(unsigned key, unsigned repeat, unsigned flags) { (void)key; (void)repeat; (void)flags; }
    virtual void OnKeyUp(unsigned key, unsigned repeat, unsigned flags) { (void)key; (void)repeat; (void)flags; }
    virtual void OnChar(unsigned ch, unsigned repeat, unsigned flags) { (void)ch; (void)repeat; (void)flags; }
    virtual void OnSetFocus(Wnd* old) { (void)old; }
    virtual void OnKillFocus(Wnd* next) { (void)next; }
    virtual void OnCaptureChanged(Wnd* next) { (void)next; }
    virtual void OnTimer(unsigned id) { (void)id; }
    virtual void OnHScroll(unsigned code, unsigned pos, Wnd* bar) { (void)code; (void)pos; (void)bar; }
    virtual void OnVScroll(unsigned code, unsigned pos, Wnd* bar) { (void)code; (void)pos; (void)bar; }
    virtual void OnActivate(bool active) { (void)active; }
    virtual void OnClose() { Destroy(); }
    // Files were dropped on this top-level window (which has the extended
    // style WS_EX_ACCEPTFILES): their local paths, in the order given.
    virtual void OnDropFiles(const std::vector<std::string>& paths) { (void)paths; }
    virtual void OnShowWindow(bool show) { (void)show; }
    virtual void OnEnable(bool enable) { (void)enable; }
    // A command from a menu, an accelerator or a child control (then with its
    // notification code and window). The default routes it through OnCmdMsg;
    // a child window passes what it does not take to its parent.
    virtual bool OnCommand(unsigned id, unsigned notifyCode, Wnd* control);
    // Top-level windows: an unhandled command goes on to the application.
    bool OnCmdMsg(unsigned id, int code, CmdUI* ui) override;
    // Idle time: refresh the state of commands shown by this window.
    virtual void OnIdleUpdateCmdUI() {}
    // A menu item is highlighted (0: the menu closed); frames show its prompt.
    virtual void OnMenuSelect(unsigned id) { (void)id; }
    // Before a key reaches the focus window, each window from the focus up to
    // its top-level may take it (accelerators, dialog keys). True: taken.
    virtual bool PreTranslateKey(unsigned key, bool down, unsigned flags);

private:
    friend struct WndAccess;
    friend class WndGuard;

    void InvalidateTree();  // this window and all below it, non-client parts too
    // This child window no longer covers `old` (parent coordinates): the
    // parent and the siblings beneath it repaint there.
    void Uncover(const Rect& old);
    void PaintTree(bool includeChildren);
    void PaintNonClient();
    Region VisibleRegion(bool clientOnly) const;  // on the backing surface
    Rect NonClientInsets(bool withBars) const;    // left, top, right, bottom widths
    void LayoutNonClient();                        // after a style or bar change
    void ResizeSurface();
    void NotifySizeChanged(Size oldClient);

    Wnd* parent_ = nullptr;
    Wnd* owner_ = nullptr;
    std::vector<Wnd*> children_;  // bottom to top
    Rect rect_;
    unsigned style_ = 0, exStyle_ = 0, id_ = 0;
    std::string text_;
    Font font_;
    bool hasFont_ = false;
    bool created_ = false, destroying_ = false, messageOnly_ = false;
    void* userData_ = nullptr;
    Color background_ = GetSysColor(COLOR_BTNFACE);

    Region update_;  // client coordinates
    bool erase_ = false, ncDirty_ = false;
    bool trackLeave_ = false;
    WheelAccumulator wheel_[2];  // SB_HORZ, SB_VERT: parts of a line not scrolled yet
    ScrollInfo scroll_[2];
    bool barShown_[2] = {false, false};

    Menu* menu_ = nullptr;
    std::weak_ptr<int> menuToken_;
    const AccelTable* accel_ = nullptr;
    struct ModalState;
    ModalState* modal_ = nullptr;
    std::unique_ptr<TopLevel> top_;  // top-level windows only
    std::shared_ptr<int> alive_;     // expires when the object goes away
};

// The drawing context for a window's client area outside painting, clipped
// to what of the client area is visible. What it draws shows on the screen
// when it goes away.
class ClientDC : public DC {
public:
    explicit ClientDC(Wnd& wnd);
    // Clipped further to `clip` (client coordinates); used for painting.
    ClientDC(Wnd& wnd, const Region& clip, bool nonClient = false);
};

// A guard for a window that a handler may destroy or delete: it reports
// whether the window still exists before the caller touches it again.
class WndGuard {
public:
    explicit WndGuard(Wnd* w);
    bool Alive() const;  // the object is alive and the window exists
    explicit operator bool() const { return Alive(); }

private:
    Wnd* wnd_;
    std::weak_ptr<int> token_;
};

}  // namespace plat
