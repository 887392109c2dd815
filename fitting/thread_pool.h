// A small pool of worker threads for the engine's independent loops (the
// piece fits of an estimation step, the entries of a search layer).
//
// Results stay identical to a sequential run because every index of a loop
// writes only its own slot; the pool only decides which thread runs it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
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

    // The engine's pool: one thread per core (the calling thread counts as
    // one), or VEXILO_THREADS threads when that variable is set.
    static thread_pool& shared();

    explicit thread_pool(unsigned threads);
    ~thread_pool();
    thread_pool(const thread_pool&) = delete;
    thread_pool& operator=(const thread_pool&) = delete;

    unsigned concurrency() const { return unsigned(workers_.size()) + 1; }

    // Runs body over [0, count) in chunks of `grain` indices and returns when
    // all are done. The caller takes part as worker 0. While another thread's
    // loop occupies the pool, the loop runs on the caller alone.
    void parallel_for(size_t count, size_t grain, const loop_body& body);

private:
    void worker_main(unsigned worker);
    void run_chunks(unsigned worker);

    std::vector<std::thread> workers_;
    std::atomic<bool> busy_{false}; // a loop owns the workers
    std::mutex mutex_;             // guards the fields below
    std::condition_variable wake_;
    std::condition_variable done_;
    const loop_body* body_ = nullptr;
    size_t count_ = 0, grain_ = 1, next_ = 0;
    unsigned generation_ = 0;      // bumped for every loop handed to the workers
    unsigned active_ = 0;          // workers still inside the current loop
    bool stopping_ = false;
};

}  // namespace outline
