// Threads for work that the user-interface thread hands out one step at a
// time.
//
// mswin::thread runs one virtual body on a thread of its own, under the
// processor-fault guard, and catches whatever escapes from it: the thread
// then ends with ok() false and error() reports the text to the log.
//
// mswin::synchronizable_thread's body performs one step() per "go" signal
// and signals "done" when the step is over; the controlling thread asks for
// a step with RequestStep() and waits for it with StepFinished(). Steps are
// counted, so a "done" left from an earlier idle moment can never be taken
// for the end of the step just asked for.
//
// A class that derives from either must call join() in its own destructor:
// the body calls its virtual operations, which must not outlive it.
#pragma once

#include "platform/thread.h"

#include <atomic>
#include <memory>
#include <string>

namespace mswin {

class thread {
public:
    // With `create`, makes the thread, suspended; throws std::runtime_error
    // when the system cannot make it.
    explicit thread(bool create);
    virtual ~thread();
    thread(const thread&) = delete;
    thread& operator=(const thread&) = delete;

    bool created() const { return handle != nullptr; }
    void resume();
    // Waits for the end of the thread (at once when it never started) and
    // gives ok().
    bool join();
    // The thread's body has returned (or ended by an error).
    bool finished() const { return handle && handle->Finished(); }
    // False once the body ended by an error.
    bool ok() const { return ok_.load(); }

protected:
    virtual void body() = 0;
    // Writes "\nthread error: <message>\n" to the log and the message to the
    // debug output. Runs on the thread.
    virtual void error(const std::string& message);

private:
    unsigned entry();

    std::unique_ptr<plat::Thread> handle;
    std::atomic<bool> ok_{true};
};

class synchronizable_thread : public thread {
public:
    synchronizable_thread();

    // Asks for one more step; returns the number of steps that will be
    // finished once it is.
    unsigned RequestStep();
    // Asks the body to end at its next wake-up.
    void RequestStop();
    // `count` steps are finished, or the thread has ended.
    bool StepFinished(unsigned count) const { return steps_.load() >= count || finished(); }
    unsigned StepsFinished() const { return steps_.load(); }

protected:
    void body() override;
    virtual void step() = 0;

    plat::ManualResetEvent go;
    std::atomic<bool> stop{false};
    plat::ManualResetEvent done;

private:
    std::atomic<unsigned> steps_{0};  // finished steps
    unsigned requested_ = 0;          // steps asked for (controlling thread only)
};

}  // namespace mswin
