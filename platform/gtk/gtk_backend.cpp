#include "platform/gtk/gtk_backend.h"

#include "platform/app.h"
#include "platform/bitmap_surface.h"
#include "platform/internal.h"
#include "platform/menu.h"
#include "platform/message_box.h"
#include "platform/wheel.h"

#include <gtk/gtk.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <map>
#include <vector>

namespace plat {

namespace {

App& TheApp() { return *App::Instance(); }

// --- Keys ---

unsigned VirtualKeyOf(guint keyval) {
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) return 'A' + (keyval - GDK_KEY_a);
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) return 'A' + (keyval - GDK_KEY_A);
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) return '0' + (keyval - GDK_KEY_0);
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) return VK_NUMPAD0 + (keyval - GDK_KEY_KP_0);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F24) return VK_F1 + (keyval - GDK_KEY_F1);
    switch (keyval) {
    case GDK_KEY_BackSpace: return VK_BACK;
    case GDK_KEY_Tab: case GDK_KEY_ISO_Left_Tab: return VK_TAB;
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: return VK_RETURN;
    case GDK_KEY_Shift_L: case GDK_KEY_Shift_R: return VK_SHIFT;
    case GDK_KEY_Control_L: case GDK_KEY_Control_R: return VK_CONTROL;
    case GDK_KEY_Alt_L: case GDK_KEY_Alt_R: case GDK_KEY_Meta_L: case GDK_KEY_Meta_R: return VK_MENU;
    case GDK_KEY_Pause: return VK_PAUSE;
    case GDK_KEY_Caps_Lock: return VK_CAPITAL;
    case GDK_KEY_Escape: return VK_ESCAPE;
    case GDK_KEY_space: return VK_SPACE;
    case GDK_KEY_Page_Up: case GDK_KEY_KP_Page_Up: return VK_PRIOR;
    case GDK_KEY_Page_Down: case GDK_KEY_KP_Page_Down: return VK_NEXT;
    case GDK_KEY_End: case GDK_KEY_KP_End: return VK_END;
    case GDK_KEY_Home: case GDK_KEY_KP_Home: return VK_HOME;
    case GDK_KEY_Left: case GDK_KEY_KP_Left: return VK_LEFT;
    case GDK_KEY_Up: case GDK_KEY_KP_Up: return VK_UP;
    case GDK_KEY_Right: case GDK_KEY_KP_Right: return VK_RIGHT;
    case GDK_KEY_Down: case GDK_KEY_KP_Down: return VK_DOWN;
    case GDK_KEY_Insert: case GDK_KEY_KP_Insert: return VK_INSERT;
    case GDK_KEY_Delete: case GDK_KEY_KP_Delete: return VK_DELETE;
    case GDK_KEY_KP_Multiply: return VK_MULTIPLY;
    case GDK_KEY_KP_Add: return VK_ADD;
    case GDK_KEY_KP_Subtract: return VK_SUBTRACT;
    case GDK_KEY_KP_Decimal: return VK_DECIMAL;
    case GDK_KEY_KP_Divide: return VK_DIVIDE;
    case GDK_KEY_Num_Lock: return VK_NUMLOCK;
    case GDK_KEY_Scroll_Lock: return VK_SCROLL;
    case GDK_KEY_semicolon: case GDK_KEY_colon: return VK_OEM_1;
    case GDK_KEY_equal: case GDK_KEY_plus: return VK_OEM_PLUS;
    case GDK_KEY_comma: case GDK_KEY_less: return VK_OEM_COMMA;
    case GDK_KEY_minus: case GDK_KEY_underscore: return VK_OEM_MINUS;
    case GDK_KEY_period: case GDK_KEY_greater: return VK_OEM_PERIOD;
    case GDK_KEY_slash: case GDK_KEY_question: return VK_OEM_2;
    case GDK_KEY_grave: case GDK_KEY_asciitilde: return VK_OEM_3;
    case GDK_KEY_bracketleft: case GDK_KEY_braceleft: return VK_OEM_4;
    case GDK_KEY_backslash: case GDK_KEY_bar: return VK_OEM_5;
    case GDK_KEY_bracketright: case GDK_KEY_braceright: return VK_OEM_6;
    case GDK_KEY_apostrophe: case GDK_KEY_quotedbl: return VK_OEM_7;
    default: return 0;
    }
}

unsigned CharOf(const GdkEventKey* e) {
    switch (e->keyval) {
    case GDK_KEY_Return: case GDK_KEY_KP_Enter: return '\r';
    case GDK_KEY_BackSpace: return '\b';
    case GDK_KEY_Tab: return '\t';
    case GDK_KEY_Escape: return 27;
    default: break;
    }
    if (e->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) return 0;
    guint32 ch = gdk_keyval_to_unicode(e->keyval);
    return ch >= 32 && ch != 127 ? ch : 0;
}

// The key that opens the menu bar in every GTK program: the setting
// "gtk-menu-bar-accel" (F10 unless the user changed it).
bool IsMenuBarKey(GtkWidget* window, const GdkEventKey* e) {
    gchar* accel = nullptr;
    g_object_get(gtk_widget_get_settings(window), "gtk-menu-bar-accel", &accel, nullptr);
    guint key = 0;
    GdkModifierType mods = GdkModifierType(0);
    if (accel) gtk_accelerator_parse(accel, &key, &mods);
    g_free(accel);
    return key != 0 && gdk_keyval_to_lower(e->keyval) == gdk_keyval_to_lower(key) &&
           (e->state & gtk_accelerator_get_default_mod_mask()) == mods;
}

unsigned ModifiersOf(guint state) {
    return ((state & GDK_SHIFT_MASK) ? MK_SHIFT : 0u) | ((state & GDK_CONTROL_MASK) ? MK_CONTROL : 0u);
}

// The modifiers and the buttons held, for a move.
unsigned ModifiersAndButtonsOf(guint state) {
    return ModifiersOf(state) | input::kButtonsKnown | ((state & GDK_BUTTON1_MASK) ? MK_LBUTTON : 0u) |
           ((state & GDK_BUTTON3_MASK) ? MK_RBUTTON : 0u) | ((state & GDK_BUTTON2_MASK) ? MK_MBUTTON : 0u);
}

// --- Cursors ---

const char* CursorName(StdCursor s) {
    switch (s) {
    case StdCursor::Arrow: return "default";
    case StdCursor::IBeam: return "text";
    case StdCursor::Wait: return "wait";
    case StdCursor::Cross: return "crosshair";
    case StdCursor::Hand: return "pointer";
    case StdCursor::SizeAll: return "move";
    case StdCursor::SizeWE: return "ew-resize";
    case StdCursor::SizeNS: return "ns-resize";
    case StdCursor::No: return "not-allowed";
    case StdCursor::UpArrow: return "n-resize";
    case StdCursor::Help: return "help";
    }
    return "default";
}

// "&Open..." -> "_Open..." ("_" doubled, "&&" a literal "&").
std::string Mnemonic(const std::string& text) {
    std::string out;
    std::string label = MenuLabel(text);
    for (std::size_t i = 0; i < label.size(); ++i) {
        char c = label[i];
        if (c == '_') out += "__";
        else if (c == '&' && i + 1 < label.size() && label[i + 1] == '&') out += '&', ++i;
        else if (c == '&') out += '_';
        else out += c;
    }
    return out;
}

// --- Top-level windows ---

class GtkPort : public TopLevelPort {
public:
    explicit GtkPort(Wnd& w) : wnd_(w) {
        unsigned style = w.GetStyle();
        bool popup = (style & WS_POPUP) && !(style & WS_CAPTION);
        window_ = gtk_window_new(popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
        g_object_ref_sink(window_);
        if (Wnd* owner = w.GetOwner())
            if (TopLevel* tl = WndAccess::Top(*owner))
                if (auto* p = dynamic_cast<GtkPort*>(tl->port.get()))
                    gtk_window_set_transient_for(GTK_WINDOW(window_), GTK_WINDOW(p->window_));
        if ((style & WS_POPUP) && (style & WS_CAPTION)) {
            gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
            gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
        }
        box_ = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
        gtk_container_add(GTK_CONTAINER(window_), box_);
        area_ = gtk_drawing_area_new();
        gtk_widget_set_can_focus(area_, TRUE);
        gtk_widget_add_events(area_, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                         GDK_LEAVE_NOTIFY_MASK | GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK |
                                         GDK_KEY_PRESS_MASK |
                                         GDK_KEY_RELEASE_MASK);
        gtk_box_pack_end(GTK_BOX(box_), area_, TRUE, TRUE, 0);
        Rect r = w.GetRect();
        if ((style & WS_POPUP) && !(style & WS_CAPTION)) gtk_widget_set_size_request(area_, r.Width(), r.Height());
        gtk_window_set_default_size(GTK_WINDOW(window_), std::max(r.Width(), 1), std::max(r.Height(), 1));
        gtk_window_move(GTK_WINDOW(window_), r.left, r.top);
        Connect(area_, "draw", G_CALLBACK(OnDraw));
        Connect(area_, "size-allocate", G_CALLBACK(OnAllocate));
        Connect(area_, "button-press-event", G_CALLBACK(OnButton));
        Connect(area_, "button-release-event", G_CALLBACK(OnButton));
        Connect(area_, "motion-notify-event", G_CALLBACK(OnMotion));
        Connect(area_, "realize", G_CALLBACK(OnRealize));
        Connect(area_, "leave-notify-event", G_CALLBACK(OnLeave));
        Connect(area_, "scroll-event", G_CALLBACK(OnScroll));
        Connect(area_, "grab-broken-event", G_CALLBACK(OnGrabBroken));
        Connect(window_, "key-press-event", G_CALLBACK(OnKey));
        Connect(window_, "key-release-event", G_CALLBACK(OnKey));
        Connect(window_, "focus-in-event", G_CALLBACK(OnFocus));
        Connect(window_, "focus-out-event", G_CALLBACK(OnFocus));
        Connect(window_, "delete-event", G_CALLBACK(OnDelete));
        Connect(window_, "configure-event", G_CALLBACK(OnConfigure));
        if (!popup) {
            // Files dropped from a file manager come as a list of URIs; the
            // layer hands them to a window that accepts files.
            gtk_drag_dest_set(window_, GTK_DEST_DEFAULT_ALL, nullptr, 0, GDK_ACTION_COPY);
            gtk_drag_dest_add_uri_targets(window_);
            Connect(window_, "drag-data-received", G_CALLBACK(OnDragData));
        }
        gtk_widget_show_all(box_);
    }

    ~GtkPort() override {
        if (rebuildSource_) g_source_remove(rebuildSource_);
        for (auto& c : connections_) g_signal_handler_disconnect(c.first, c.second);
        for (auto& m : menuSignals_) g_signal_handler_disconnect(m.first, m.second);
        gtk_widget_destroy(window_);
        g_object_unref(window_);
    }

    void SetTitle(const std::string& t) override { gtk_window_set_title(GTK_WINDOW(window_), t.c_str()); }

    void Show(bool show, bool activate, bool maximize) override {
        if (!show) {
            gtk_widget_hide(window_);
            return;
        }
        gtk_window_set_accept_focus(GTK_WINDOW(window_), activate);
        if (maximize) gtk_window_maximize(GTK_WINDOW(window_));
        gtk_widget_show(window_);
        if (activate) gtk_window_present(GTK_WINDOW(window_));
    }

    void Move(const Rect& r) override {
        gtk_window_move(GTK_WINDOW(window_), r.left, r.top);
        int bar = menuBar_ ? gtk_widget_get_allocated_height(menuBar_) : 0;
        if ((wnd_.GetStyle() & WS_POPUP) && !(wnd_.GetStyle() & WS_CAPTION))
            gtk_widget_set_size_request(area_, r.Width(), r.Height());
        gtk_window_resize(GTK_WINDOW(window_), std::max(r.Width(), 1), std::max(r.Height() + bar, 1));
    }

    void Present(const Rect& d) override { gtk_widget_queue_draw_area(area_, d.left, d.top, d.Width(), d.Height()); }

    void SetCursor(const Cursor& c) override {
        GdkWindow* gw = gtk_widget_get_window(area_);
        if (!gw) return;
        GdkDisplay* display = gdk_window_get_display(gw);
        GdkCursor* cursor = nullptr;
        if (c.IsStandard() || c.IsNull() || !c.Image()) {
            cursor = gdk_cursor_new_from_name(display, CursorName(c.Shape()));
        } else {
            cursor = gdk_cursor_new_from_surface(display, BitmapSurface::Of(*c.Image()), c.HotSpot().x, c.HotSpot().y);
        }
        gdk_window_set_cursor(gw, cursor);
        if (cursor) g_object_unref(cursor);
        // The wait cursor goes up before synchronous work that keeps the
        // loop from running: it must reach the server now, not after.
        if (c.IsStandard() && c.Shape() == StdCursor::Wait) gdk_display_flush(display);
    }

    void MenuChanged(Menu* menu) override {
        menu_ = menu;
        menuToken_ = menu ? menu->AliveToken() : std::weak_ptr<int>();
        if (menu_) menu_->SetChangeListener([this] { ScheduleMenuRebuild(); });
        ScheduleMenuRebuild();
    }

    void Activate() override { gtk_window_present(GTK_WINDOW(window_)); }

private:
    template <class W>
    void Connect(W* widget, const char* signal, GCallback cb) {
        connections_.push_back({G_OBJECT(widget), g_signal_connect(widget, signal, cb, this)});
    }

    Bitmap& Surface() { return WndAccess::Top(wnd_)->surface; }

    static gboolean OnDraw(GtkWidget*, cairo_t* cr, GtkPort* p) {
        cairo_set_source_surface(cr, BitmapSurface::Of(p->Surface()), 0, 0);
        cairo_paint(cr);
        return TRUE;
    }

    static void OnAllocate(GtkWidget*, GdkRectangle* a, GtkPort* p) {
        TheApp().CallFromBackend([&] { input::Resized(p->wnd_, Size(a->width, a->height)); });
        p->UpdateOrigin();
    }

    static void OnDragData(GtkWidget*, GdkDragContext*, gint, gint, GtkSelectionData* data, guint, guint,
                           GtkPort* p) {
        std::vector<std::string> paths;
        if (gchar** uris = gtk_selection_data_get_uris(data)) {
            for (gchar** u = uris; *u; ++u)
                if (gchar* path = g_filename_from_uri(*u, nullptr, nullptr)) {
                    paths.push_back(path);
                    g_free(path);
                }
            g_strfreev(uris);
        }
        if (!paths.empty()) TheApp().CallFromBackend([&] { input::FilesDropped(p->wnd_, paths); });
    }

    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure*, GtkPort* p) {
        p->UpdateOrigin();
        return FALSE;
    }

    void UpdateOrigin() {
        GdkWindow* gw = gtk_widget_get_window(area_);
        if (!gw) return;
        int x = 0, y = 0;
        gdk_window_get_origin(gw, &x, &y);
        if (Point(x, y) != wnd_.GetRect().TopLeft()) TheApp().CallFromBackend([&] { input::Moved(wnd_, Point(x, y)); });
    }

    static gboolean OnButton(GtkWidget* w, GdkEventButton* e, GtkPort* p) {
        if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE) return TRUE;  // doubles are ours
        bool down = e->type == GDK_BUTTON_PRESS;
        if (down) gtk_widget_grab_focus(w);
        input::MouseAction a;
        switch (e->button) {
        case 1: a = down ? input::MouseAction::LeftDown : input::MouseAction::LeftUp; break;
        case 3: a = down ? input::MouseAction::RightDown : input::MouseAction::RightUp; break;
        case 2: a = down ? input::MouseAction::MiddleDown : input::MouseAction::MiddleUp; break;
        default: return TRUE;
        }
        TheApp().CallFromBackend([&] { input::Mouse(p->wnd_, Point(int(e->x), int(e->y)), a, ModifiersOf(e->state)); });
        return TRUE;
    }

    // Every motion event is delivered, none merged with the next: a fast
    // brush stroke gets each point the pointer passed, not a dotted line.
    static void OnRealize(GtkWidget* w, GtkPort*) {
        if (GdkWindow* gw = gtk_widget_get_window(w)) gdk_window_set_event_compression(gw, FALSE);
    }

    static gboolean OnMotion(GtkWidget*, GdkEventMotion* e, GtkPort* p) {
        TheApp().CallFromBackend([&] {
            input::Mouse(p->wnd_, Point(int(e->x), int(e->y)), input::MouseAction::Move,
                         ModifiersAndButtonsOf(e->state));
        });
        return TRUE;
    }

    static gboolean OnLeave(GtkWidget*, GdkEventCrossing* e, GtkPort* p) {
        if (e->mode == GDK_CROSSING_NORMAL) TheApp().CallFromBackend([&] { input::PointerLeft(p->wnd_); });
        return FALSE;
    }

    static gboolean OnScroll(GtkWidget*, GdkEventScroll* e, GtkPort* p) {
        // Wheel units: kWheelDelta a notch; up and right are positive.
        int dx = 0, dy = 0;
        switch (e->direction) {
        case GDK_SCROLL_UP: dy = kWheelDelta; break;
        case GDK_SCROLL_DOWN: dy = -kWheelDelta; break;
        case GDK_SCROLL_LEFT: dx = -kWheelDelta; break;
        case GDK_SCROLL_RIGHT: dx = kWheelDelta; break;
        case GDK_SCROLL_SMOOTH:
            dx = int(std::lround(e->delta_x * kWheelDelta));
            dy = int(std::lround(-e->delta_y * kWheelDelta));
            break;
        }
        // A notch the window system made up from a smooth turn came as that
        // smooth turn already.
        if (e->direction != GDK_SCROLL_SMOOTH && gdk_event_get_pointer_emulated(reinterpret_cast<GdkEvent*>(e)))
            return TRUE;
        Point at(int(e->x), int(e->y));
        unsigned mods = ModifiersOf(e->state);
        if (dy) TheApp().CallFromBackend([&] { input::Wheel(p->wnd_, at, dy, mods, false); });
        if (dx) TheApp().CallFromBackend([&] { input::Wheel(p->wnd_, at, dx, mods, true); });
        return TRUE;
    }

    static gboolean OnGrabBroken(GtkWidget*, GdkEventGrabBroken*, GtkPort* p) {
        TheApp().CallFromBackend([&] { input::CaptureBroken(p->wnd_); });
        return FALSE;
    }

    static gboolean OnKey(GtkWidget* w, GdkEventKey* e, GtkPort* p) {
        bool down = e->type == GDK_KEY_PRESS;
        // Alt with a letter opens the menu bar's menus first.
        if (down && (e->state & GDK_MOD1_MASK) && p->menuBar_ && gtk_window_activate_key(GTK_WINDOW(w), e))
            return TRUE;
        // The menu bar's key goes on to the menu bar, which opens its first
        // menu; the window never sees it.
        if (p->menuBar_ && IsMenuBarKey(w, e)) return FALSE;
        unsigned vk = VirtualKeyOf(e->keyval);
        unsigned ch = down ? CharOf(e) : 0;
        if (!vk && !ch) return FALSE;
        TheApp().CallFromBackend([&] {
            if (vk)
                input::Key(&p->wnd_, vk, down, ch);
            else
                input::Text(&p->wnd_, ch);
        });
        return TRUE;
    }

    static gboolean OnFocus(GtkWidget*, GdkEventFocus* e, GtkPort* p) {
        TheApp().CallFromBackend([&] { input::Activated(p->wnd_, e->in); });
        return FALSE;
    }

    static gboolean OnDelete(GtkWidget*, GdkEvent*, GtkPort* p) {
        TheApp().CallFromBackend([&] { input::CloseRequested(p->wnd_); });
        return TRUE;  // the window layer decides whether it goes
    }

    // --- The menu bar ---

    void ScheduleMenuRebuild() {
        if (rebuildSource_) return;
        rebuildSource_ = g_idle_add(
            [](gpointer data) -> gboolean {
                auto* p = static_cast<GtkPort*>(data);
                p->rebuildSource_ = 0;
                if (p->menuOpen_) {
                    p->rebuildPending_ = true;  // never under an open menu
                    return G_SOURCE_REMOVE;
                }
                p->RebuildMenuBar();
                return G_SOURCE_REMOVE;
            },
            this);
    }

    void RebuildMenuBar() {
        for (auto& m : menuSignals_) g_signal_handler_disconnect(m.first, m.second);
        menuSignals_.clear();
        items_.clear();
        if (menuBar_) gtk_widget_destroy(menuBar_);
        menuBar_ = nullptr;
        if (!menu_ || menuToken_.expired()) return;
        menuBar_ = gtk_menu_bar_new();
        Fill(GTK_MENU_SHELL(menuBar_), *menu_);
        MenuSignal(menuBar_, "deactivate", G_CALLBACK(+[](GtkMenuShell*, GtkPort* p) {
            p->menuOpen_ = false;
            TheApp().CallFromBackend([&] { input::MenuSelect(p->wnd_, 0); });
            if (p->rebuildPending_) {
                p->rebuildPending_ = false;
                p->ScheduleMenuRebuild();
            }
        }));
        gtk_box_pack_start(GTK_BOX(box_), menuBar_, FALSE, FALSE, 0);
        gtk_widget_show_all(menuBar_);
    }

    struct ItemRef {
        Menu* menu;
        int pos;
        GtkWidget* widget;
    };

    void Fill(GtkMenuShell* shell, Menu& menu) {
        for (int i = 0; i < menu.ItemCount(); ++i) {
            const Menu::Item& item = menu.ItemAt(i);
            GtkWidget* w;
            if (item.IsSeparator()) {
                w = gtk_separator_menu_item_new();
            } else if (item.popup) {
                w = gtk_menu_item_new_with_mnemonic(Mnemonic(item.text).c_str());
                GtkWidget* sub = gtk_menu_new();
                Fill(GTK_MENU_SHELL(sub), *item.popup);
                gtk_menu_item_set_submenu(GTK_MENU_ITEM(w), sub);
                MenuSignal(sub, "show", G_CALLBACK(OnSubmenuShow));
                g_object_set_data(G_OBJECT(sub), "kor-menu", item.popup.get());
            } else {
                bool check = item.flags & MF_CHECKED;
                w = check ? gtk_check_menu_item_new_with_mnemonic(Mnemonic(item.text).c_str())
                          : gtk_menu_item_new_with_mnemonic(Mnemonic(item.text).c_str());
                if (check) {
                    gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(w), TRUE);
                    gtk_check_menu_item_set_draw_as_radio(GTK_CHECK_MENU_ITEM(w), item.flags & MF_RADIO);
                }
                g_object_set_data(G_OBJECT(w), "kor-id", GUINT_TO_POINTER(item.id));
                MenuSignal(w, "activate", G_CALLBACK(OnItemActivate));
                MenuSignal(w, "select", G_CALLBACK(OnItemSelect));
                items_.push_back({&menu, i, w});
            }
            gtk_widget_set_sensitive(w, !(item.flags & MF_GRAYED));
            gtk_menu_shell_append(shell, w);
        }
    }

    template <class W>
    void MenuSignal(W* w, const char* signal, GCallback cb) {
        menuSignals_.push_back({G_OBJECT(w), g_signal_connect(w, signal, cb, this)});
    }

    static void OnSubmenuShow(GtkWidget* sub, GtkPort* p) {
        p->menuOpen_ = true;
        if (p->menuToken_.expired()) return;
        auto* menu = static_cast<Menu*>(g_object_get_data(G_OBJECT(sub), "kor-menu"));
        if (!menu) return;
        TheApp().CallFromBackend([&] { input::MenuOpened(p->wnd_, *menu); });
        // Show the states now; a change of kind (a newly checked item) waits
        // for the rebuild after the menu closes.
        for (ItemRef& r : p->items_) {
            if (r.menu != menu || r.pos >= menu->ItemCount()) continue;
            const Menu::Item& item = menu->ItemAt(r.pos);
            gtk_widget_set_sensitive(r.widget, !(item.flags & MF_GRAYED));
            gtk_menu_item_set_label(GTK_MENU_ITEM(r.widget), Mnemonic(item.text).c_str());
            gtk_menu_item_set_use_underline(GTK_MENU_ITEM(r.widget), TRUE);
            if (GTK_IS_CHECK_MENU_ITEM(r.widget))
                gtk_check_menu_item_set_active(GTK_CHECK_MENU_ITEM(r.widget), (item.flags & MF_CHECKED) != 0);
        }
    }

    static void OnItemActivate(GtkWidget* w, GtkPort* p) {
        unsigned id = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(w), "kor-id"));
        // Run after the menu has closed, as a posted command.
        WndGuard guard(&p->wnd_);
        Wnd* wnd = &p->wnd_;
        TheApp().Post([guard, wnd, id] {
            if (guard) input::MenuCommand(*wnd, id);
        });
    }

    static void OnItemSelect(GtkWidget* w, GtkPort* p) {
        unsigned id = GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(w), "kor-id"));
        TheApp().CallFromBackend([&] { input::MenuSelect(p->wnd_, id); });
    }

    Wnd& wnd_;
    GtkWidget* window_;
    GtkWidget* box_;
    GtkWidget* area_;
    GtkWidget* menuBar_ = nullptr;
    Menu* menu_ = nullptr;
    std::weak_ptr<int> menuToken_;
    std::vector<ItemRef> items_;
    guint rebuildSource_ = 0;
    bool menuOpen_ = false, rebuildPending_ = false;
    std::vector<std::pair<GObject*, gulong>> connections_, menuSignals_;

public:
    GtkWidget* Window() const { return window_; }
};

GtkWindow* WindowOf(Wnd* w) {
    if (!w || !w->Exists()) return nullptr;
    TopLevel* tl = WndAccess::Top(*w->GetTopLevel());
    auto* p = tl ? dynamic_cast<GtkPort*>(tl->port.get()) : nullptr;
    return p ? GTK_WINDOW(p->Window()) : nullptr;
}

// --- The backend ---

class GtkBackend : public Backend {
public:
    ~GtkBackend() override {
        if (timerSource_) g_source_remove(timerSource_);
        if (paintSource_) g_source_remove(paintSource_);
        if (idleSource_) g_source_remove(idleSource_);
    }

    const char* Name() const override { return "gtk"; }
    std::unique_ptr<TopLevelPort> CreatePort(Wnd& w) override { return std::make_unique<GtkPort>(w); }
    std::uint64_t Now() const override { return std::uint64_t(g_get_monotonic_time() / 1000); }

    Size ScreenSize() const override {
        GdkDisplay* d = gdk_display_get_default();
        GdkMonitor* m = d ? gdk_display_get_primary_monitor(d) : nullptr;
        if (!m && d) m = gdk_display_get_monitor(d, 0);
        if (!m) return {1024, 768};
        GdkRectangle r;
        gdk_monitor_get_workarea(m, &r);
        return {r.width, r.height};
    }

    bool Iterate(int maxWaitMs) override {
        if (maxWaitMs == 0) return g_main_context_iteration(nullptr, FALSE);
        guint limit = 0;
        if (maxWaitMs > 0) limit = g_timeout_add(guint(maxWaitMs), [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr);
        g_main_context_iteration(nullptr, TRUE);
        if (limit) {
            GSource* s = g_main_context_find_source_by_id(nullptr, limit);
            if (s && !g_source_is_destroyed(s)) g_source_remove(limit);
        }
        return true;
    }

    void Wake() override {
        // From any thread: one idle source runs the posted work.
        if (wakePending_.exchange(true)) return;
        g_idle_add(
            [](gpointer data) -> gboolean {
                static_cast<GtkBackend*>(data)->wakePending_ = false;
                TheApp().CallFromBackend([] { TheApp().RunPosted(); });
                return G_SOURCE_REMOVE;
            },
            this);
    }

    void ScheduleTimers(std::uint64_t due) override {
        if (timerSource_) g_source_remove(timerSource_);
        timerSource_ = 0;
        if (due == std::numeric_limits<std::uint64_t>::max()) return;
        std::uint64_t now = Now();
        guint wait = due > now ? guint(due - now) : 0;
        timerSource_ = g_timeout_add(
            wait,
            [](gpointer data) -> gboolean {
                static_cast<GtkBackend*>(data)->timerSource_ = 0;
                TheApp().CallFromBackend([] { TheApp().FireTimers(); });
                return G_SOURCE_REMOVE;
            },
            this);
    }

    void RequestPaint() override {
        if (paintSource_) return;
        paintSource_ = g_idle_add_full(
            G_PRIORITY_HIGH_IDLE + 15,
            [](gpointer data) -> gboolean {
                static_cast<GtkBackend*>(data)->paintSource_ = 0;
                TheApp().CallFromBackend([] { TheApp().PaintAll(); });
                return G_SOURCE_REMOVE;
            },
            this, nullptr);
    }

    void RequestIdle() override {
        if (idleSource_) return;
        idleSource_ = g_idle_add_full(
            G_PRIORITY_DEFAULT_IDLE,
            [](gpointer data) -> gboolean {
                static_cast<GtkBackend*>(data)->idleSource_ = 0;
                TheApp().CallFromBackend([] { TheApp().RunIdle(); });
                return G_SOURCE_REMOVE;
            },
            this, nullptr);
    }

    int MessageBox(Wnd* owner, const std::string& text, const std::string& caption, unsigned type) override {
        GtkMessageType kind = GTK_MESSAGE_OTHER;
        switch (type & MB_ICONMASK) {
        case MB_ICONERROR: kind = GTK_MESSAGE_ERROR; break;
        case MB_ICONWARNING: kind = GTK_MESSAGE_WARNING; break;
        case MB_ICONQUESTION: kind = GTK_MESSAGE_QUESTION; break;
        case MB_ICONINFORMATION: kind = GTK_MESSAGE_INFO; break;
        default: break;
        }
        GtkWidget* d = gtk_message_dialog_new(WindowOf(owner), GTK_DIALOG_MODAL, kind, GTK_BUTTONS_NONE, "%s",
                                              text.c_str());
        gtk_window_set_title(GTK_WINDOW(d), caption.c_str());
        MessageBoxButtons b = ButtonsOf(type);
        for (int i = 0; i < b.count; ++i) gtk_dialog_add_button(GTK_DIALOG(d), Mnemonic(ButtonLabel(b.ids[i])).c_str(), b.ids[i]);
        gtk_dialog_set_default_response(GTK_DIALOG(d), b.ids[0]);
        int r = gtk_dialog_run(GTK_DIALOG(d));
        gtk_widget_destroy(d);
        return r > 0 ? r : b.closeAnswer;
    }

    bool ConfirmsOverwrite() const override { return true; }

    FileDialog::Answer RunFileDialog(Wnd* owner, const FileDialog& fd) override {
        GtkWidget* d = gtk_file_chooser_dialog_new(
            fd.title.c_str(), WindowOf(owner), fd.open ? GTK_FILE_CHOOSER_ACTION_OPEN : GTK_FILE_CHOOSER_ACTION_SAVE,
            "_Cancel", GTK_RESPONSE_CANCEL, fd.open ? "_Open" : "_Save", GTK_RESPONSE_ACCEPT, nullptr);
        if (!fd.open && (fd.flags & OFN_OVERWRITEPROMPT))
            gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(d), TRUE);
        if (!fd.initialPath.empty()) gtk_file_chooser_set_filename(GTK_FILE_CHOOSER(d), fd.initialPath.c_str());
        std::vector<GtkFileFilter*> filters;
        for (const FileFilter& f : ParseFileFilter(fd.filter)) {
            GtkFileFilter* g = gtk_file_filter_new();
            gtk_file_filter_set_name(g, f.name.c_str());
            for (const std::string& p : f.patterns)
                gtk_file_filter_add_pattern(g, CaseInsensitivePattern(p).c_str());
            gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(d), g);
            filters.push_back(g);
        }
        if (fd.filterIndex >= 1 && fd.filterIndex <= int(filters.size()))
            gtk_file_chooser_set_filter(GTK_FILE_CHOOSER(d), filters[std::size_t(fd.filterIndex - 1)]);
        FileDialog::Answer a;
        if (gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_ACCEPT) {
            gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(d));
            if (name) {
                a.ok = true;
                a.path = name;
                g_free(name);
            }
            GtkFileFilter* chosen = gtk_file_chooser_get_filter(GTK_FILE_CHOOSER(d));
            for (std::size_t i = 0; i < filters.size(); ++i)
                if (filters[i] == chosen) a.filterIndex = int(i) + 1;
        }
        gtk_widget_destroy(d);
        return a;
    }

    void SetClipboardText(const std::string& text) override {
        GtkClipboard* c = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
        gtk_clipboard_set_text(c, text.c_str(), gint(text.size()));
        gtk_clipboard_store(c);
    }

    bool GetClipboardText(std::string& text) override {
        gchar* t = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
        if (!t) return false;
        text = t;
        g_free(t);
        return true;
    }

    bool HasClipboardText() override {
        return gtk_clipboard_wait_is_text_available(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
    }

private:
    guint timerSource_ = 0, paintSource_ = 0, idleSource_ = 0;
    std::atomic<bool> wakePending_{false};
};

}  // namespace

std::unique_ptr<Backend> CreateGtkBackend() {
    if (!gtk_init_check(nullptr, nullptr)) return nullptr;
    return std::make_unique<GtkBackend>();
}

}  // namespace plat
