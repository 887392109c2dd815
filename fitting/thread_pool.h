// A small pool of worker threads for the engine's independent loops (the
// piece fits of an estimation step, the entries of a search layer).
//
// Results stay identical to a sequential run because every index of a loop
// writes only its own slot; the pool only decides which thread runs it.
//
// Failures: every chunk of a loop runs under the pool's guard (set by its
// owner; the program sets one that turns a processor fault inside the body
// into an exception). The first exception that leaves a chunk, on any
// thread, is kept; the chunks not yet started are then skipped, the chunks
// already running are finished, and parallel_for rethrows the exception on
// the calling thread once no thread runs the body any more. Nothing escapes
// a worker thread, and the pool is free for the next loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace outline {

class thread_pool {
public:
    // body(begin, end, worker) handles indices [begin, end); worker is in
    // [0, concurrency()) and unique among the threads of one call, so a
    // caller can give each worker its own scratch.
    typedef std::function<void(size_t, size_t, unsigned)> loop_body;
    // Runs one chunk: must call chunk() once on the calling thread, and may
    // turn what goes wrong inside into an exception (Kor::GuardFaults has
    // this type). Exceptions it lets through count as the chunk's failure.
    typedef std::function<void(const std::function<void()>& chunk)> chunk_guard;

    // The engine's pool: one thread per core (the calling thread counts as
    // one), or VEXILO_THREADS threads when that variable is set. The program
    // sets its guard once at start-up.
    static thread_pool& shared();

    explicit thread_pool(unsigned threads);
    ~thread_pool();
    thread_pool(const thread_pool&) = delete;
    thread_pool& operator=(const thread_pool&) = delete;

    unsigned concurrency() const { return unsigned(workers_.size()) + 1; }

    // The guard of every chunk from the next loop on; an empty one runs
    // chunks as they are (a processor fault then ends the process).
    void set_guard(chunk_guard guard);

    // Runs body over [0, count) in chunks of `grain` indices and returns when
    // all are done. The caller takes part as worker 0. While another thread's
    // loop occupies the pool, the loop runs on the caller alone (under the
    // guard too). Rethrows the first failure of a chunk, as said above.
    void parallel_for(size_t count, size_t grain, const loop_body& body);

private:
    void worker_main(unsigned worker);
    void run_chunks(unsigned worker, const chunk_guard& guard);
    bool next_chunk(size_t& begin, size_t& end);

    std::vector<std::thread> workers_;
    std::atomic<bool> busy_{false};  // a loop owns the workers
    std::mutex mutex_;               // guards the fields below
    std::condition_variable wake_;
    std::condition_variable done_;
    chunk_guard guard_;       // as set; copied into loop_guard_ when a loop starts
    chunk_guard loop_guard_;  // the current loop's guard
    const loop_body* body_ = nullptr;
    size_t count_ = 0, grain_ = 1, next_ = 0;
    std::exception_ptr failure_;  // the current loop's first failure
    unsigned generation_ = 0;     // bumped for every loop handed to the workers
    unsigned active_ = 0;         // workers still inside the current loop
    bool stopping_ = false;
};

}  // namespace outline
