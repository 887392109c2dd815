// A periodic timer: while it runs, each elapsed period sends a TimerEvent
// carrying the timer to its listeners. It is driven by a hidden platform
// window ("Kor::TimerWindow") made at construction, whose user data points
// back at the timer. A new timer does not run until started.
#pragma once

#include "framework/events/event_dispatcher.h"

#include <memory>

namespace Kor {

class Timer : public EventDispatcher {
public:
    explicit Timer(unsigned periodMs = 1000);
    ~Timer() override;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    void Start();  // nothing when running
    void Stop();   // nothing when stopped
    void SetRunning(bool run) { run ? Start() : Stop(); }
    bool IsRunning() const { return running_; }
    // A new period takes effect at once: a running timer starts over.
    void SetPeriod(unsigned periodMs);
    unsigned GetPeriod() const { return period_; }

    static constexpr unsigned kTimerId = 1;

private:
    class TimerWindow;
    void Fire();

    unsigned period_;
    bool running_ = false;
    std::unique_ptr<TimerWindow> window_;
};

}  // namespace Kor
