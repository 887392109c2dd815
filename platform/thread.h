// Threads with a suspended start, and manual-reset events. Setting an event
// also wakes the user-interface loop, so App::PumpWhileWaiting notices it.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace plat {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool initiallySet = false) : set_(initiallySet) {}
    void Set();
    void Reset();
    bool IsSet() const;
    // True when set; false when `timeoutMs` (negative: no limit) ran out.
    bool Wait(int timeoutMs = -1) const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable cv_;
    bool set_;
};

class Thread {
public:
    // The thread is created suspended: `body` runs from Resume on, and its
    // result becomes the exit code.
    explicit Thread(std::function<unsigned()> body);
    // Waits for a thread that is still running: its body may use objects
    // that die with the owner, so it is never left running on its own.
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    bool Resume();  // false when it was already started
    bool Started() const { return started_; }
    bool Finished() const { return done_.IsSet(); }
    // Waits for the end; false on timeout (negative: no limit).
    bool Join(int timeoutMs = -1);
    unsigned ExitCode() const { return exitCode_; }
    const ManualResetEvent& FinishedEvent() const { return done_; }

private:
    std::function<unsigned()> body_;
    std::thread thread_;
    bool started_ = false;
    unsigned exitCode_ = 0;
    ManualResetEvent done_;
};

}  // namespace plat
