#include "platform/thread.h"

#include "platform/app.h"

#include <chrono>

namespace plat {

void ManualResetEvent::Set() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        set_ = true;
    }
    cv_.notify_all();
    if (App* app = App::Instance()) app->Wake();
}

void ManualResetEvent::Reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    set_ = false;
}

bool ManualResetEvent::IsSet() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return set_;
}

bool ManualResetEvent::Wait(int timeoutMs) const {
    std::unique_lock<std::mutex> lock(mutex_);
    if (timeoutMs < 0) {
        cv_.wait(lock, [&] { return set_; });
        return true;
    }
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return set_; });
}

Thread::Thread(std::function<unsigned()> body) : body_(std::move(body)) {}

Thread::~Thread() {
    if (thread_.joinable()) thread_.join();
}

bool Thread::Resume() {
    if (started_) return false;
    started_ = true;
    thread_ = std::thread([this] {
        exitCode_ = body_ ? body_() : 0;
        done_.Set();
    });
    return true;
}

bool Thread::Join(int timeoutMs) {
    if (!started_) return false;
    if (!done_.Wait(timeoutMs)) return false;
    if (thread_.joinable()) thread_.join();
    return true;
}

}  // namespace plat
