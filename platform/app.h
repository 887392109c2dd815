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
    // The work guard runs each piece of work the loop dispatches: a posted
    // task, one timer, one round of painting or of idle processing, one
    // input event from the backend (each entry point of the input layer). By
    // default it runs the work itself; the framework puts its processor-fault
    // guard here, so that a fault is caught where the piece of work began and
    // never abandons the frames of the loop or of the backend's C code.
    //
    // Guards nest. Work that runs a loop of its own (a modal dialog, a
    // message box, PumpWhileWaiting) dispatches the pieces of that loop under
    // guards of their own, inside its guard. A fault is caught by the
    // innermost guard, that of the piece of work it happened in, and comes out
    // of that piece as an exception like any other; the outer guards (and the
    // loops between them) see only that exception.
    typedef std::function<void(const std::function<void()>&)> WorkGuard;
    void SetWorkGuard(WorkGuard guard);
    // Runs one piece of work under the work guard; exceptions propagate.
    void Dispatch(const std::function<void()>& work);
    // For backends' callbacks, whose C frames no exception may cross: runs
    // `step` (an input entry point or one of the rounds below, which
    // dispatch their own work; this adds no guard) and keeps an exception it
    // throws for the loop to rethrow.
    void CallFromBackend(const std::function<void()>& step);
    void RethrowPending();
    // The loop's rounds, run by the backends when they are due.
    void RunPosted();   // each posted task is one piece of work
    void FireTimers();  // each due timer is one
    void PaintAll();    // the whole round is one
    void RunIdle();     // the whole round is one

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
