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
    // all are done; rethrows the first failure of a chunk, as said above.
    //
    // Loops may run at once: called from several threads, or from inside a
    // chunk of another loop (an outline's steps inside the loop over a
    // picture's outlines). The caller works on its own loop first; a pool
    // thread with nothing to do, and a caller whose own chunks are all
    // handed out, take chunks of the newest loop that has some left and in
    // which their worker number is free. So a loop nested in a chunk gets
    // the help of the threads that have finished their own work, and a
    // thread never runs two chunks of one loop at once (its scratch would
    // be shared). The worker number is the thread's own: 0 for a thread
    // outside the pool, 1 .. concurrency() - 1 for the pool's threads.
    void parallel_for(size_t count, size_t grain, const loop_body& body);

private:
    struct loop;
    void worker_main(unsigned worker);
    unsigned own_worker() const;
    bool take_chunk(loop& l, unsigned worker, size_t& begin, size_t& end);
    loop* open_loop(unsigned worker) const;
    void run_chunk(std::unique_lock<std::mutex>& lock, loop& l, unsigned worker, size_t begin, size_t end);
    void unlist(loop& l);

    std::vector<std::thread> workers_;
    std::mutex mutex_;                 // guards the fields below and every listed loop
    std::condition_variable changed_;  // a loop was listed, or a chunk ended
    chunk_guard guard_;                // as set; each loop takes a copy when it starts
    std::vector<loop*> loops_;         // loops with chunks still to hand out, newest last
    bool stopping_ = false;
};

}  // namespace outline
