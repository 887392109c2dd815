#include "app/build_thread.h"

#include "framework/fault/fault_guard.h"
#include "platform/debug_output.h"

#include <iostream>
#include <stdexcept>
#include <system_error>

namespace mswin {

thread::thread(bool create) {
    if (create) handle = std::make_unique<plat::Thread>([this] { return entry(); });
}

thread::~thread() { join(); }

void thread::resume() {
    if (!handle || handle->Started()) return;
    try {
        handle->Resume();
    } catch (const std::system_error& e) {
        // The platform thread counts itself started; without a thread there
        // is nothing to wait for.
        handle.reset();
        throw std::runtime_error(std::string("The build thread cannot be started: ") + e.what());
    }
}

bool thread::join() {
    if (handle && handle->Started()) handle->Join();
    return ok();
}

void thread::error(const std::string& message) {
    std::clog << "\nthread error: " << message << std::endl;
    plat::OutputDebugString(message);
}

unsigned thread::entry() {
    // Nothing may escape a thread's entry: anything that does ends the process.
    std::string failure;
    try {
        Kor::GuardFaults([this] { body(); });
        return 1;
    } catch (const std::exception& e) {
        failure = e.what();
    } catch (...) {
        failure = "an exception of an unknown type";
    }
    ok_ = false;
    try {
        error(failure);
    } catch (...) {
    }
    return 0;
}

synchronizable_thread::synchronizable_thread() : thread(true) {}

unsigned synchronizable_thread::RequestStep() {
    ++requested_;
    go.Set();
    return requested_;
}

void synchronizable_thread::RequestStop() {
    stop = true;
    go.Set();
}

void synchronizable_thread::body() {
    for (;;) {
        if (!go.IsSet()) {
            done.Set();  // idle
            go.Wait();
        }
        go.Reset();
        if (stop) break;
        done.Reset();
        step();
        ++steps_;
    }
    done.Set();
}

}  // namespace mswin
