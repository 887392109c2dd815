// The application object: backend start-up, the message loop, posted work,
// timers, idle processing, the pointer shape and the profile.
#include "platform/app.h"

#include "platform/internal.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <utility>

#include <glib.h>

namespace plat {

namespace {
std::atomic<App*> g_instance{nullptr};
}  // namespace

App::Impl& TheImpl() { return App::Instance()->GetImpl(); }

App::App(BackendKind kind) : impl_(std::make_unique<Impl>()) {
    App* expected = nullptr;
    if (!g_instance.compare_exchange_strong(expected, this))
        throw std::logic_error("only one plat::App may exist at a time");
    const char* env = std::getenv("KORVANE_BACKEND");
    if (kind == BackendKind::Auto && env && std::string(env) == "headless") kind = BackendKind::Headless;
    if (kind == BackendKind::Headless) {
        impl_->backend = CreateHeadlessBackend();
        impl_->headless = true;
    } else {
        impl_->backend = CreateGtkBackend();
    }
    const char* prg = g_get_prgname();
    impl_->appName = prg ? prg : "korvane";
}

App::~App() {
    for (Wnd* w : std::vector<Wnd*>(impl_->topLevels)) w->Destroy();
    impl_->backend.reset();
    g_instance.store(nullptr);
}

App* App::Instance() { return g_instance.load(); }
bool App::Ok() const { return impl_->backend != nullptr; }
Backend& App::GetBackend() const { return *impl_->backend; }
bool App::IsHeadless() const { return impl_->headless; }

// --- The loop ---

void App::SetWorkGuard(WorkGuard guard) { impl_->workGuard = std::move(guard); }

void App::Dispatch(const std::function<void()>& work) {
    if (impl_->workGuard)
        impl_->workGuard(work);
    else
        work();
}

void App::CallFromBackend(const std::function<void()>& step) {
    try {
        step();
    } catch (...) {
        if (!impl_->pending) impl_->pending = std::current_exception();
    }
}

void App::RethrowPending() {
    if (impl_->pending) std::rethrow_exception(std::exchange(impl_->pending, nullptr));
}

int App::Run() {
    while (!impl_->quit) PumpMessage(true);
    return impl_->quitCode;
}

void App::Quit(int code) {
    impl_->quit = true;
    impl_->quitCode = code;
    Wake();
}

bool App::QuitRequested() const { return impl_->quit; }
int App::QuitCode() const { return impl_->quitCode; }

bool App::PumpMessage(bool wait) {
    RethrowPending();
    bool did = impl_->backend->Iterate(wait ? -1 : 0);
    RethrowPending();
    return did;
}

void App::PumpPending() {
    // Bounded, so that work that keeps posting more cannot hang the caller.
    for (int i = 0; i < 10000 && PumpMessage(false); ++i) {
    }
}

bool App::PumpWhileWaiting(const std::function<bool()>& done, int timeoutMs) {
    // Time is the backend's: real time on a display, the virtual clock of
    // the headless backend (which moves by the time the loop waits idle).
    const std::uint64_t start = Now();
    while (!done()) {
        std::uint64_t wait = kPumpSliceMs;
        if (timeoutMs >= 0) {
            const std::uint64_t spent = Now() - start;
            if (spent >= std::uint64_t(timeoutMs)) return false;
            wait = std::min(wait, std::uint64_t(timeoutMs) - spent);
        }
        RethrowPending();
        impl_->backend->Iterate(int(wait));
        RethrowPending();
    }
    return true;
}

void App::Post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(impl_->postMutex);
        impl_->posted.push_back(std::move(task));
    }
    impl_->backend->Wake();
}

void App::Wake() {
    if (impl_->backend) impl_->backend->Wake();
}

void App::RunPosted() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(impl_->postMutex);
            if (impl_->posted.empty()) break;
            task = std::move(impl_->posted.front());
            impl_->posted.pop_front();
        }
        try {
            Dispatch(task);
        } catch (...) {
            // The loop reports the error; the work still queued runs in its
            // next round rather than waiting for something else to wake it.
            impl_->backend->Wake();
            throw;
        }
        impl_->backend->RequestIdle();
    }
}

bool App::OnIdle(long count) {
    (void)count;
    for (Wnd* top : TopLevels()) {
        if (!top->IsWindowVisible()) continue;
        std::vector<Wnd*> todo{top};
        while (!todo.empty()) {
            Wnd* w = todo.back();
            todo.pop_back();
            WndGuard guard(w);
            WndAccess::IdleUpdate(*w);
            if (guard) todo.insert(todo.end(), w->GetChildren().begin(), w->GetChildren().end());
        }
    }
    return false;
}

void App::RunIdle() {
    Dispatch([this] {
        for (long count = 0; count < 100 && OnIdle(count); ++count) {
        }
    });
}

void App::PaintAll() {
    Dispatch([this] {
        for (Wnd* top : TopLevels()) WndAccess::PaintTree(*top);
    });
}

// --- Timers ---

std::uint64_t App::Impl::NextTimerDue() const {
    std::uint64_t due = std::numeric_limits<std::uint64_t>::max();
    for (const TimerEntry& t : timers) due = std::min(due, t.due);
    return due;
}

void App::Impl::RescheduleTimers() { backend->ScheduleTimers(NextTimerDue()); }

void App::FireTimers() {
    std::uint64_t now = Now();
    // Each due timer fires once per call; one that fell behind by several
    // periods is not fired again for each (the periods are merged).
    struct Due {
        std::uint64_t when;
        Wnd* wnd;
        unsigned id;
        WndGuard guard;
    };
    std::vector<Due> due;
    for (TimerEntry& t : impl_->timers) {
        if (t.due > now) continue;
        due.push_back({t.due, t.wnd, t.id, WndGuard(t.wnd)});
        t.due += t.period;
        if (t.due <= now) t.due = now + t.period;
    }
    std::stable_sort(due.begin(), due.end(), [](const Due& a, const Due& b) { return a.when < b.when; });
    for (Due& d : due) {
        // A handler may have killed a timer that was due in the same round.
        bool stillSet = std::any_of(impl_->timers.begin(), impl_->timers.end(),
                                    [&](const TimerEntry& t) { return t.wnd == d.wnd && t.id == d.id; });
        if (d.guard && stillSet) Dispatch([&] { WndAccess::Timer(*d.wnd, d.id); });
    }
    impl_->RescheduleTimers();
    impl_->backend->RequestIdle();
}

std::uint64_t App::Now() const { return impl_->backend ? impl_->backend->Now() : 0; }

// --- Windows that go away ---

void App::Impl::Forget(Wnd* w) {
    if (focus == w) focus = nullptr;
    if (capture == w) capture = nullptr;
    if (active == w) active = nullptr;
    if (hover == w) hover = nullptr;
    if (lastClick.wnd == w) lastClick = Click();
    if (bar.wnd == w) bar = BarTracking();
    leaveTracking.erase(std::remove(leaveTracking.begin(), leaveTracking.end(), w), leaveTracking.end());
    timers.erase(std::remove_if(timers.begin(), timers.end(), [&](const TimerEntry& t) { return t.wnd == w; }),
                 timers.end());
    topLevels.erase(std::remove(topLevels.begin(), topLevels.end(), w), topLevels.end());
    for (Wnd* top : topLevels)
        if (TopLevel* tl = WndAccess::Top(*top))
            if (tl->lastFocus == w) tl->lastFocus = nullptr;
}

std::vector<Wnd*> App::TopLevels() const { return impl_->topLevels; }
Wnd* App::GetActiveWindow() const { return impl_->active; }

// --- Input state and the pointer ---

bool App::IsKeyDown(unsigned vk) const {
    switch (vk) {
    case VK_LBUTTON: return impl_->buttons & MK_LBUTTON;
    case VK_RBUTTON: return impl_->buttons & MK_RBUTTON;
    case VK_MBUTTON: return impl_->buttons & MK_MBUTTON;
    default: return impl_->keysDown.count(vk) != 0;
    }
}

bool IsKeyDown(unsigned vk) {
    App* app = App::Instance();
    return app && app->IsKeyDown(vk);
}

Point App::GetCursorPos() const { return impl_->cursorPos; }

namespace {
void ApplyCursor(App::Impl& impl) {
    const Cursor& shown = impl.waitCount > 0 ? Cursor::Standard(StdCursor::Wait) : impl.cursor;
    for (Wnd* top : impl.topLevels)
        if (TopLevel* tl = WndAccess::Top(*top))
            if (tl->port) tl->port->SetCursor(shown);
}
}  // namespace

void App::SetCursor(const Cursor& c) {
    if (c == impl_->cursor) return;
    impl_->cursor = c;
    if (impl_->waitCount == 0) ApplyCursor(*impl_);
}

const Cursor& App::GetCurrentCursor() const {
    static const Cursor wait = Cursor::Standard(StdCursor::Wait);
    return impl_->waitCount > 0 ? wait : impl_->cursor;
}

void App::BeginWaitCursor() {
    if (impl_->waitCount++ == 0) ApplyCursor(*impl_);
}

void App::EndWaitCursor() {
    if (impl_->waitCount > 0 && --impl_->waitCount == 0) ApplyCursor(*impl_);
}

bool App::IsWaitCursorShown() const { return impl_->waitCount > 0; }

WaitCursor::WaitCursor() {
    if (App* app = App::Instance()) app->BeginWaitCursor();
}

WaitCursor::~WaitCursor() {
    if (App* app = App::Instance()) app->EndWaitCursor();
}

// --- Profile ---

void App::SetRegistryKey(const std::string& key) {
    impl_->registryKey = key;
    impl_->profile.reset();
}

void App::SetAppName(const std::string& name) {
    impl_->appName = name;
    impl_->profile.reset();
}

const std::string& App::GetAppName() const { return impl_->appName; }

Profile& App::GetProfile() {
    if (!impl_->profile) impl_->profile = std::make_unique<Profile>(impl_->registryKey, impl_->appName);
    return *impl_->profile;
}

int App::GetProfileInt(const std::string& section, const std::string& key, int def) {
    return GetProfile().GetInt(section, key, def);
}

bool App::WriteProfileInt(const std::string& section, const std::string& key, int value) {
    return GetProfile().WriteInt(section, key, value);
}

std::string App::GetProfileString(const std::string& section, const std::string& key, const std::string& def) {
    return GetProfile().GetString(section, key, def);
}

bool App::WriteProfileString(const std::string& section, const std::string& key, const std::string& value) {
    return GetProfile().WriteString(section, key, value);
}

}  // namespace plat
