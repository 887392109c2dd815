#include "fitting/thread_pool.h"

#include <cstdlib>
#include <utility>

namespace outline {

namespace {

unsigned default_threads()
{
    if (const char* env = std::getenv("VEXILO_THREADS")) {
        char* end = nullptr;
        long n = std::strtol(env, &end, 10);
        if (end != env && *end == '\0' && n >= 1 && n <= 256) return unsigned(n);
    }
    unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

// Runs body(begin, end, worker) under the guard, if there is one.
void run_guarded(const thread_pool::chunk_guard& guard, const thread_pool::loop_body& body, size_t begin, size_t end,
                 unsigned worker)
{
    if (guard)
        guard([&] { body(begin, end, worker); });
    else
        body(begin, end, worker);
}

}  // namespace

thread_pool& thread_pool::shared()
{
    static thread_pool pool(default_threads());
    return pool;
}

thread_pool::thread_pool(unsigned threads)
{
    for (unsigned w = 1; w < threads; ++w) {
        try {
            workers_.emplace_back(&thread_pool::worker_main, this, w);
        } catch (...) {
            break;  // fewer threads than asked for: the loops still run
        }
    }
}

thread_pool::~thread_pool()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void thread_pool::set_guard(chunk_guard guard)
{
    std::lock_guard<std::mutex> lock(mutex_);
    guard_ = std::move(guard);
}

// The next chunk of the current loop; false when all are handed out or a
// failure is known.
bool thread_pool::next_chunk(size_t& begin, size_t& end)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (next_ >= count_ || failure_) return false;
    begin = next_;
    end = count_ - begin < grain_ ? count_ : begin + grain_;
    next_ = end;
    return true;
}

void thread_pool::run_chunks(unsigned worker, const chunk_guard& guard)
{
    size_t begin, end;
    while (next_chunk(begin, end)) {
        try {
            run_guarded(guard, *body_, begin, end, worker);
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!failure_) failure_ = std::current_exception();
        }
    }
}

void thread_pool::worker_main(unsigned worker)
{
    unsigned seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_) return;
            seen = generation_;
        }
        // loop_guard_ stays as it is until every worker has left the loop.
        run_chunks(worker, loop_guard_);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (--active_ == 0) done_.notify_all();
        }
    }
}

void thread_pool::parallel_for(size_t count, size_t grain, const loop_body& body)
{
    if (count == 0) return;
    if (grain == 0) grain = 1;
    bool idle = false;
    if (workers_.empty() || count <= grain || !busy_.compare_exchange_strong(idle, true)) {
        chunk_guard guard;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            guard = guard_;
        }
        run_guarded(guard, body, 0, count, 0);
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        loop_guard_ = guard_;
        body_ = &body;
        count_ = count;
        grain_ = grain;
        next_ = 0;
        failure_ = nullptr;
        active_ = unsigned(workers_.size());
        ++generation_;
    }
    wake_.notify_all();
    run_chunks(0, loop_guard_);
    std::exception_ptr failure;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        done_.wait(lock, [&] { return active_ == 0; });
        body_ = nullptr;
        std::swap(failure, failure_);
    }
    busy_ = false;
    if (failure) std::rethrow_exception(failure);
}

}  // namespace outline
