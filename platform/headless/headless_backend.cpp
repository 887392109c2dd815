#include "platform/headless/headless_backend.h"

#include "platform/app.h"
#include "platform/internal.h"
#include "platform/menu.h"
#include "platform/message_box.h"

#include <glib.h>

#include <cctype>
#include <chrono>
#include <limits>
#include <stdexcept>
#include <utility>

namespace plat {

namespace headless {

class Port : public TopLevelPort {
public:
    void SetTitle(const std::string& t) override { title = t; }
    void Show(bool s, bool, bool) override { shown = s; }
    void Move(const Rect&) override {}
    void Present(const Rect&) override {}
    void SetCursor(const Cursor& c) override { cursor = c; }
    void MenuChanged(Menu*) override {}
    void Activate() override {}

    std::string title;
    bool shown = false;
    Cursor cursor;
    int openMenu = -1;  // the menu bar's menu opened from the keyboard, by position
};

class HeadlessBackend : public Backend {
public:
    const char* Name() const override { return "headless"; }
    std::unique_ptr<TopLevelPort> CreatePort(Wnd&) override { return std::make_unique<Port>(); }
    std::uint64_t Now() const override { return now_; }
    Size ScreenSize() const override { return {1024, 768}; }

    bool Iterate(int maxWaitMs) override {
        bool did = Settle();
        if (did || maxWaitMs == 0) return did;
        // Nothing here can produce input; only another thread can wake us.
        std::unique_lock<std::mutex> lock(wakeMutex_);
        int wait = maxWaitMs < 0 ? kStallMs : maxWaitMs;
        if (wakeCv_.wait_for(lock, std::chrono::milliseconds(wait), [&] { return woken_; })) {
            lock.unlock();
            Settle();
            return true;
        }
        lock.unlock();
        // A bounded wait that nothing ended: that time passed for the loop.
        if (maxWaitMs > 0) return Advance(std::uint64_t(maxWaitMs));
        return false;
    }

    // Moves the virtual clock forward, running each due timer at its time.
    // True when anything ran.
    bool Advance(std::uint64_t ms) {
        const std::uint64_t target = now_ + ms;
        bool did = false;
        while (timerDue_ <= target) {
            now_ = std::max(now_, timerDue_);
            did = Settle() || did;
        }
        now_ = target;
        return Settle() || did;
    }

    void Wake() override {
        {
            std::lock_guard<std::mutex> lock(wakeMutex_);
            woken_ = true;
        }
        wakeCv_.notify_all();
    }

    void ScheduleTimers(std::uint64_t due) override { timerDue_ = due; }
    void RequestPaint() override { paint_ = true; }
    void RequestIdle() override { idle_ = true; }

    int MessageBox(Wnd*, const std::string& text, const std::string& caption, unsigned type) override {
        int answer = ButtonsOf(type).ids[0];
        if (!boxAnswers_.empty()) {
            answer = boxAnswers_.front();
            boxAnswers_.pop_front();
        }
        boxes_.push_back({text, caption, type, answer});
        return answer;
    }

    FileDialog::Answer RunFileDialog(Wnd*, const FileDialog& d) override {
        files_.push_back({d.open, d.title, d.defaultExt, d.filter});
        FileDialog::Answer a;
        if (!fileAnswers_.empty()) {
            a = fileAnswers_.front();
            fileAnswers_.pop_front();
        }
        return a;
    }

    void SetClipboardText(const std::string& text) override {
        clipboard_ = text;
        hasClipboard_ = true;
    }
    bool GetClipboardText(std::string& text) override {
        text = hasClipboard_ ? clipboard_ : std::string();
        return hasClipboard_;
    }
    bool HasClipboardText() override { return hasClipboard_; }

    void ModalLoopStarted(Wnd& dialog) override {
        if (modalScripts_.empty()) return;
        auto script = std::move(modalScripts_.front());
        modalScripts_.pop_front();
        script(dialog);
    }

    // Runs what is pending until nothing is; true when anything ran.
    bool Settle() {
        App& app = *App::Instance();
        bool did = false;
        for (int round = 0; round < 1000; ++round) {
            bool any = false;
            bool woken;
            {
                std::lock_guard<std::mutex> lock(wakeMutex_);
                woken = std::exchange(woken_, false);
            }
            if (woken) {
                app.RunPosted();
                any = true;
            }
            if (timerDue_ <= now_) {
                app.FireTimers();
                any = true;
            }
            if (std::exchange(paint_, false)) {
                app.PaintAll();
                any = true;
            }
            if (std::exchange(idle_, false)) {
                app.RunIdle();
                any = true;
            }
            if (!any) break;
            did = true;
        }
        return did;
    }

    static constexpr int kStallMs = 500;

    std::uint64_t now_ = 0;
    std::uint64_t timerDue_ = std::numeric_limits<std::uint64_t>::max();
    bool paint_ = false, idle_ = false;
    std::mutex wakeMutex_;
    std::condition_variable wakeCv_;
    bool woken_ = false;

    std::deque<int> boxAnswers_;
    std::vector<MessageBoxRecord> boxes_;
    std::deque<FileDialog::Answer> fileAnswers_;
    std::vector<FileDialogRecord> files_;
    std::deque<std::function<void(Wnd&)>> modalScripts_;
    std::string clipboard_;
    bool hasClipboard_ = false;
    Driver driver_;
};

namespace {

HeadlessBackend& Back() {
    App* app = App::Instance();
    auto* b = app && app->Ok() ? dynamic_cast<HeadlessBackend*>(&app->GetBackend()) : nullptr;
    if (!b) throw std::logic_error("no headless application is running");
    return *b;
}

Port* PortOf(Wnd& top) {
    TopLevel* tl = top.Exists() ? WndAccess::Top(*top.GetTopLevel()) : nullptr;
    return tl ? static_cast<Port*>(tl->port.get()) : nullptr;
}

unsigned Modifiers() {
    return (IsKeyDown(VK_SHIFT) ? MK_SHIFT : 0u) | (IsKeyDown(VK_CONTROL) ? MK_CONTROL : 0u);
}

input::MouseAction ActionOf(Button b, bool down) {
    using A = input::MouseAction;
    switch (b) {
    case Button::Left: return down ? A::LeftDown : A::LeftUp;
    case Button::Right: return down ? A::RightDown : A::RightUp;
    case Button::Middle: return down ? A::MiddleDown : A::MiddleUp;
    }
    return A::Move;
}

// The top-level window and the surface point of a client point of `w`.
Point SurfacePoint(Wnd& w, Point client) { return w.SurfaceOrigin() + client; }

void Send(Wnd& w, Point client, input::MouseAction a) {
    Wnd& top = *w.GetTopLevel();
    input::Mouse(top, SurfacePoint(w, client), a, Modifiers());
    Back().Settle();
}

// What a key types: letters, digits, space and the control characters
// that edits and dialogs react to; nothing with Ctrl or Alt held.
unsigned CharOf(unsigned vk) {
    if (IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU)) return 0;
    bool shift = IsKeyDown(VK_SHIFT);
    if (vk >= 'A' && vk <= 'Z') return shift ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9' && !shift) return vk;
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 27;
    default: return 0;
    }
}

// The menu bar's keyboard as GTK gives it: F10 (without Shift, Ctrl or
// Alt) opens the first menu of the bar; while a menu is open, the keys are
// the menu's, not the window's, and Escape or F10 closes it. True when the
// key went to the menu bar.
bool MenuBarKey(Wnd* top, unsigned vk, bool down) {
    Port* port = top ? PortOf(*top) : nullptr;
    if (!port) return false;
    if (port->openMenu >= 0) {
        if (down && (vk == VK_ESCAPE || vk == VK_F10)) {
            port->openMenu = -1;
            input::MenuSelect(*top, 0);
            Back().Settle();
        }
        return true;
    }
    if (vk != VK_F10 || IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU)) return false;
    Menu* bar = top->GetMenu();
    if (!bar || !top->IsWindowEnabled()) return false;
    for (int i = 0; i < bar->ItemCount(); ++i) {
        if (Menu* first = bar->ItemAt(i).popup.get()) {
            if (down) {
                port->openMenu = i;
                input::MenuOpened(*top, *first);
                Back().Settle();
            }
            return true;
        }
    }
    return false;
}

// A press of the mouse closes a menu opened from the keyboard, and does
// nothing else. True when it did.
bool PressClosesMenu(Wnd& w) {
    Wnd* top = w.GetTopLevel();
    Port* port = top ? PortOf(*top) : nullptr;
    if (!port || port->openMenu < 0) return false;
    port->openMenu = -1;
    input::MenuSelect(*top, 0);
    Back().Settle();
    return true;
}

}  // namespace

Driver& Driver::Get() { return Back().driver_; }

void Driver::MouseMove(Wnd& w, Point p) { Send(w, p, input::MouseAction::Move); }

void Driver::MouseDown(Wnd& w, Point p, Button b) {
    if (PressClosesMenu(w)) return;
    Send(w, p, ActionOf(b, true));
}

void Driver::MouseUp(Wnd& w, Point p, Button b) { Send(w, p, ActionOf(b, false)); }

void Driver::Click(Wnd& w, Point p, Button b) {
    WndGuard guard(&w);
    Point screen = w.ClientToScreen(p);
    Wnd* top = w.GetTopLevel();
    MouseDown(w, p, b);
    // The press may have destroyed the window; release where it was.
    if (guard) MouseUp(w, p, b);
    else if (top && top->Exists()) {
        input::Mouse(*top, screen - top->GetRect().TopLeft(), ActionOf(b, false), Modifiers());
        Back().Settle();
    }
}

void Driver::DoubleClick(Wnd& w, Point p, Button b) {
    WndGuard guard(&w);
    Click(w, p, b);
    if (guard) Click(w, p, b);
}

void Driver::Wheel(Wnd& w, Point p, int delta, bool horizontal) {
    input::Wheel(*w.GetTopLevel(), SurfacePoint(w, p), delta, Modifiers(), horizontal);
    Back().Settle();
}

void Driver::LoseButton(Button b) {
    TheImpl().buttons &= ~(b == Button::Left ? MK_LBUTTON : b == Button::Right ? MK_RBUTTON : MK_MBUTTON);
}

void Driver::BreakGrab(Wnd& top) {
    input::CaptureBroken(top);
    Back().Settle();
}

void Driver::PointerLeaves(Wnd& w) {
    input::PointerLeft(*w.GetTopLevel());
    Back().Settle();
}

void Driver::KeyDown(unsigned vk) {
    Wnd* active = App::Instance()->GetActiveWindow();
    if (MenuBarKey(active, vk, true)) return;
    input::Key(active, vk, true, CharOf(vk));
    Back().Settle();
}

void Driver::KeyUp(unsigned vk) {
    Wnd* active = App::Instance()->GetActiveWindow();
    if (MenuBarKey(active, vk, false)) return;
    input::Key(active, vk, false, 0);
    Back().Settle();
}

void Driver::PressKey(unsigned vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void Driver::TypeText(const std::string& text) {
    if (!g_utf8_validate(text.c_str(), gssize(text.size()), nullptr)) throw std::invalid_argument("not UTF-8");
    for (const char* p = text.c_str(); *p; p = g_utf8_next_char(p)) {
        gunichar c = g_utf8_get_char(p);
        if (c < 128 && std::isalpha(int(c))) {
            bool upper = std::isupper(int(c));
            if (upper) KeyDown(VK_SHIFT);
            PressKey(unsigned(std::toupper(int(c))));
            if (upper) KeyUp(VK_SHIFT);
        } else if ((c >= '0' && c <= '9') || c == ' ') {
            PressKey(c);
        } else {
            input::Text(App::Instance()->GetActiveWindow(), c);
            Back().Settle();
        }
    }
}

bool Driver::ChooseMenuCommand(Wnd& frame, unsigned id) {
    Menu* bar = frame.GetMenu();
    int pos = -1;
    Menu* menu = bar ? bar->FindCommand(id, &pos) : nullptr;
    if (!menu || !frame.IsWindowEnabled()) return false;
    if (Port* port = PortOf(frame)) port->openMenu = -1;  // choosing closes a menu opened from the keyboard
    input::MenuOpened(frame, *menu);                      // as when the menu opens
    if (menu->ItemAt(pos).flags & MF_GRAYED) return false;
    input::MenuCommand(frame, id);
    Back().Settle();
    return true;
}

void Driver::HighlightMenuItem(Wnd& frame, unsigned id) {
    input::MenuSelect(frame, id);
    Back().Settle();
}

void Driver::Close(Wnd& top) {
    input::CloseRequested(top);
    Back().Settle();
}

void Driver::DropFiles(Wnd& top, const std::vector<std::string>& paths) {
    input::FilesDropped(top, paths);
    Back().Settle();
}

void Driver::Resize(Wnd& top, Size size) {
    input::Resized(top, size);
    Back().Settle();
}

void Driver::Activate(Wnd& top, bool active) {
    input::Activated(top, active);
    Back().Settle();
}

void Driver::AdvanceClock(std::uint64_t ms) { Back().Advance(ms); }

std::uint64_t Driver::Now() const { return Back().now_; }
void Driver::Flush() { Back().Settle(); }
void Driver::AnswerMessageBox(int answer) { Back().boxAnswers_.push_back(answer); }
const std::vector<MessageBoxRecord>& Driver::MessageBoxes() const { return Back().boxes_; }
void Driver::ClearMessageBoxes() { Back().boxes_.clear(); }

void Driver::AnswerFileDialog(const std::string& path, int filterIndex) {
    FileDialog::Answer a;
    a.ok = true;
    a.path = path;
    a.filterIndex = filterIndex;
    Back().fileAnswers_.push_back(a);
}

void Driver::CancelFileDialog() { Back().fileAnswers_.push_back(FileDialog::Answer()); }
const std::vector<FileDialogRecord>& Driver::FileDialogs() const { return Back().files_; }
void Driver::OnModal(std::function<void(Wnd&)> script) { Back().modalScripts_.push_back(std::move(script)); }
std::string Driver::ClipboardText() const { return Back().clipboard_; }
bool Driver::ClipboardHasText() const { return Back().hasClipboard_; }

bool Driver::SavePng(Wnd& w, const std::string& path) {
    Back().Settle();
    return w.Snapshot().SavePng(path);
}

std::string Driver::OpenMenu(Wnd& top) const {
    Port* p = PortOf(top);
    Menu* bar = top.GetMenu();
    if (!p || p->openMenu < 0 || !bar || p->openMenu >= bar->ItemCount()) return std::string();
    return bar->ItemAt(p->openMenu).text;
}

Cursor Driver::ShownCursor(Wnd& top) const {
    Port* p = PortOf(top);
    return p ? p->cursor : Cursor();
}

bool Driver::IsShown(Wnd& top) const {
    Port* p = PortOf(top);
    return p && p->shown;
}

std::string Driver::Title(Wnd& top) const {
    Port* p = PortOf(top);
    return p ? p->title : std::string();
}

}  // namespace headless

std::unique_ptr<Backend> CreateHeadlessBackend() { return std::make_unique<headless::HeadlessBackend>(); }

}  // namespace plat
