#include "framework/events/timer.h"

#include "framework/events/event.h"
#include "platform/wnd.h"

namespace Kor {

class Timer::TimerWindow : public plat::Wnd {
public:
    static constexpr const char* kClassName = "Kor::TimerWindow";

protected:
    void OnTimer(unsigned id) override {
        if (id == Timer::kTimerId)
            if (auto* t = static_cast<Timer*>(GetUserData())) t->Fire();
    }
};

Timer::Timer(unsigned periodMs) : period_(periodMs), window_(std::make_unique<TimerWindow>()) {
    window_->CreateMessageWindow();
    window_->SetUserData(this);
}

Timer::~Timer() {
    Stop();
    window_->SetUserData(nullptr);
    window_->Destroy();
}

void Timer::Start() {
    if (running_) return;
    running_ = true;
    window_->SetTimer(kTimerId, period_);
}

void Timer::Stop() {
    if (!running_) return;
    running_ = false;
    window_->KillTimer(kTimerId);
}

void Timer::SetPeriod(unsigned periodMs) {
    bool wasRunning = running_;
    Stop();
    period_ = periodMs;
    if (wasRunning) Start();
}

void Timer::Fire() {
    TimerEvent e(this);
    Dispatch(e);
}

}  // namespace Kor
