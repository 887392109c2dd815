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

// The pool a thread belongs to and its number there.
thread_local const thread_pool* own_pool = nullptr;
thread_local unsigned own_number = 0;

}  // namespace

// One call of parallel_for.
struct thread_pool::loop {
    const loop_body* body;
    chunk_guard guard;
    size_t count, grain, next;
    unsigned running;               // chunks being run
    std::vector<char> worker_busy;  // [worker] runs a chunk, or is the caller
    std::exception_ptr failure;     // the first failure of a chunk
};

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
    changed_.notify_all();
    for (std::thread& t : workers_) t.join();
}

void thread_pool::set_guard(chunk_guard guard)
{
    std::lock_guard<std::mutex> lock(mutex_);
    guard_ = std::move(guard);
}

unsigned thread_pool::own_worker() const
{
    return own_pool == this ? own_number : 0;
}

// Under the lock. The next chunk of `l` for `worker`; false when all are
// handed out or a failure is known (the loop is then no longer listed).
bool thread_pool::take_chunk(loop& l, unsigned worker, size_t& begin, size_t& end)
{
    if (l.next >= l.count || l.failure) {
        unlist(l);
        return false;
    }
    begin = l.next;
    end = l.count - begin < l.grain ? l.count : begin + l.grain;
    l.next = end;
    ++l.running;
    l.worker_busy[worker] = 1;
    if (l.next >= l.count) unlist(l);
    return true;
}

// Under the lock: the newest listed loop in which `worker` is free.
thread_pool::loop* thread_pool::open_loop(unsigned worker) const
{
    for (auto it = loops_.rbegin(); it != loops_.rend(); ++it)
        if (!(*it)->worker_busy[worker]) return *it;
    return nullptr;
}

void thread_pool::unlist(loop& l)
{
    for (auto it = loops_.begin(); it != loops_.end(); ++it) {
        if (*it == &l) {
            loops_.erase(it);
            return;
        }
    }
}

// Runs a chunk taken with take_chunk outside the lock, which is held again
// when it returns. The loop may be gone as soon as its last chunk is
// counted out, so nothing of it is touched after that.
void thread_pool::run_chunk(std::unique_lock<std::mutex>& lock, loop& l, unsigned worker, size_t begin, size_t end)
{
    lock.unlock();
    std::exception_ptr failure;
    try {
        run_guarded(l.guard, *l.body, begin, end, worker);
    } catch (...) {
        failure = std::current_exception();
    }
    lock.lock();
    if (failure && !l.failure) l.failure = failure;
    l.worker_busy[worker] = 0;
    --l.running;
    changed_.notify_all();
}

void thread_pool::worker_main(unsigned worker)
{
    own_pool = this;
    own_number = worker;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        size_t begin, end;
        loop* l = open_loop(worker);
        if (l && take_chunk(*l, worker, begin, end))
            run_chunk(lock, *l, worker, begin, end);
        else if (!l)
            changed_.wait(lock);
    }
}

void thread_pool::parallel_for(size_t count, size_t grain, const loop_body& body)
{
    if (count == 0) return;
    if (grain == 0) grain = 1;
    const unsigned me = own_worker();
    std::unique_lock<std::mutex> lock(mutex_);
    loop l{&body, guard_, count, grain, 0, 0, std::vector<char>(concurrency(), 0), nullptr};
    if (workers_.empty() || count <= grain) {
        lock.unlock();
        run_guarded(l.guard, body, 0, count, me);
        return;
    }
    loops_.push_back(&l);
    changed_.notify_all();
    for (;;) {
        size_t begin, end;
        l.worker_busy[me] = 0;  // the caller's own number is its own in its loop
        if (take_chunk(l, me, begin, end)) {
            run_chunk(lock, l, me, begin, end);
            continue;
        }
        l.worker_busy[me] = 1;  // no helper may take it while the caller is still here
        if (l.running == 0) break;
        // While the last chunks run elsewhere: help another loop.
        if (loop* other = open_loop(me)) {
            if (take_chunk(*other, me, begin, end)) run_chunk(lock, *other, me, begin, end);
        } else {
            changed_.wait(lock);
        }
    }
    unlist(l);
    std::exception_ptr failure = l.failure;
    lock.unlock();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace outline
