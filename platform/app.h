// The application object of the platform layer: it starts the backend, owns
// the message loop (run, idle processing, modal loops, pumping while waiting)
// and the state that is one per process: the top-level windows, the focus and
// capture windows, timers, the pointer shape, posted work and the profile.
// There is one App at a time; App::Instance() finds it.
#pragma once

#include "platform/cmd_target.h"
#include "platform/cursor.h"
#include "platform/geometry.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Backend;
class Wnd;
class Profile;

enum class BackendKind {
    Auto,      // GTK when a display can be opened; otherwise start-up fails
    Headless,  // in memory, driven by tests
    Gtk,
};

class App : public CmdTarget {
public:
    explicit App(BackendKind kind = BackendKind::Auto);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App* Instance();
    // False when the backend could not start (no display for GTK).
    bool Ok() const;
    Backend& GetBackend() const;
    bool IsHeadless() const;

    // --- The message loop ---
    // Runs until Quit; returns Quit's code. An exception from a handler
    // leaves Run (the caller decides whether to run again).
    virtual int Run();
    void Quit(int code = 0);
    bool QuitRequested() const;
    int QuitCode() const;
    // One round: waits for something when `wait`, then handles what is
    // pending. False when waiting found nothing (only the headless backend,
    // which nothing can wake, gives up waiting).
    bool PumpMessage(bool wait);
    // Handles everything pending without waiting.
    void PumpPending();
    // Pumps messages until `done()` holds; wakes up for messages and for
    // Wake(), and looks at `done()` at least every kPumpSliceMs. The timeout
    // runs on the application clock (Now()); a negative one waits without
    // limit. False on timeout.
    bool PumpWhileWaiting(const std::function<bool()>& done, int timeoutMs = -1);
    static constexpr int kPumpSliceMs = 100;
    // Idle processing after the pending messages: the default refreshes the
    // command states of every window. Return true for another call.
    virtual bool OnIdle(long count);
    // Runs `task` on the user-interface thread from the loop. Thread-safe.
    void Post(std::function<void()> task);
    // Wakes a loop that waits (PumpWhileWaiting). Thread-safe.
    void Wake();

    // --- Windows ---
    Wnd* GetMainWnd() const { return mainWnd_; }
    void SetMainWnd(Wnd* w) { mainWnd_ = w; }
    std::vector<Wnd*> TopLevels() const;
    Wnd* GetActiveWindow() const;

    // --- Time, input state, pointer ---
    std::uint64_t Now() const;  // milliseconds on the application clock
    bool IsKeyDown(unsigned vk) const;
    Point GetCursorPos() const;  // screen coordinates
    void SetCursor(const Cursor& c);
    const Cursor& GetCurrentCursor() const;
    void BeginWaitCursor();
    void EndWaitCursor();
    bool IsWaitCursorShown() const;

    // --- Profile (settings of this user) ---
    void SetRegistryKey(const std::string& key);
    void SetAppName(const std::string& name);
    const std::string& GetAppName() const;
    Profile& GetProfile();
    int GetProfileInt(const std::string& section, const std::string& key, int def);
    bool WriteProfileInt(const std::string& section, const std::string& key, int value);
    std::string GetProfileString(const std::string& section, const std::string& key, const std::string& def = {});
    bool WriteProfileString(const std::string& section, const std::string& key, const std::string& value);

    // --- For the backends and the window layer ---
    struct Impl;
    Impl& GetImpl() const { return *impl_; }
    // What runs each piece of work the loop dispatches (a posted task, a
    // timer, painting, idle processing, backend input): by default the work
    // itself. The framework puts its processor-fault guard here, so that a
    // fault is caught where the work began and never abandons the frames of
    // the loop or of the backend's C code.
    typedef std::function<void(const std::function<void()>&)> WorkGuard;
    void SetWorkGuard(WorkGuard guard);
    // Runs work under the work guard; exceptions propagate.
    void Dispatch(const std::function<void()>& work);
    // Runs backend-called work; an exception is kept and rethrown by the loop
    // so that it never crosses the backend's C frames.
    void Guard(const std::function<void()>& work);
    void RethrowPending();
    void RunPosted();
    void FireTimers();
    void PaintAll();
    void RunIdle();

private:
    std::unique_ptr<Impl> impl_;
    Wnd* mainWnd_ = nullptr;
};

// A guard that shows the wait cursor while it lives (nestable).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace plat
