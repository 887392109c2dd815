// The engine's thread pool: every index once, and failures of a chunk
// contained (kept, the loop finished, rethrown on the caller, the pool free
// again). A real processor fault in a pool thread is tested in
// tests/fault/pool_fault_test.cpp.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "fitting/thread_pool.h"

using outline::thread_pool;

namespace {

// Waits (at most a few seconds) until `flag` is set.
void wait_for(const std::atomic<bool>& flag)
{
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!flag && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
}

// Runs a loop of `chunks` one-index chunks on the pool and returns how many
// distinct workers took part; every index must be handled exactly once.
size_t workers_of_a_loop(thread_pool& pool, size_t chunks)
{
    std::vector<std::atomic<int>> seen(chunks);
    std::mutex mutex;
    std::set<unsigned> workers;
    pool.parallel_for(chunks, 1, [&](size_t begin, size_t end, unsigned worker) {
        for (size_t i = begin; i < end; ++i) ++seen[i];
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::lock_guard<std::mutex> lock(mutex);
        workers.insert(worker);
    });
    for (size_t i = 0; i < chunks; ++i) EXPECT_EQ(1, seen[i]) << i;
    return workers.size();
}

}  // namespace

TEST(ThreadPool, EveryIndexOnceOnSeveralWorkers)
{
    thread_pool pool(3);
    ASSERT_EQ(3u, pool.concurrency());
    EXPECT_GT(workers_of_a_loop(pool, 60), 1u);
}

// An exception in one chunk, thrown on the calling thread or on a worker:
// the caller gets it once no chunk is running any more, and the pool runs
// its next loop on all its threads.
TEST(ThreadPool, AnExceptionInAChunkReachesTheCallerAfterTheLoop)
{
    for (bool on_caller : {true, false}) {
        thread_pool pool(3);
        std::atomic<int> running{0};
        std::atomic<bool> thrown{false}, worker_started{false};
        try {
            pool.parallel_for(400, 1, [&](size_t, size_t, unsigned worker) {
                ++running;
                if (worker != 0)
                    worker_started = true;
                else if (!on_caller)
                    wait_for(thrown);  // let a worker throw first
                const bool throws = (worker == 0) == on_caller && !thrown.exchange(true);
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                --running;
                if (throws) throw std::runtime_error("chunk failed");
            });
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(0, running) << "a chunk still runs after parallel_for returned";
            EXPECT_STREQ("chunk failed", e.what());
        }
        EXPECT_TRUE(thrown);
        EXPECT_GT(workers_of_a_loop(pool, 60), 1u) << "the pool was left busy";
    }
}

// Once a chunk has failed no chunk starts any more; one of the failures
// reaches the caller.
TEST(ThreadPool, AFailureStopsTheLoop)
{
    thread_pool pool(3);
    std::atomic<int> started{0};
    try {
        pool.parallel_for(50, 1, [&](size_t begin, size_t, unsigned) {
            ++started;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            throw std::out_of_range("chunk " + std::to_string(begin));
        });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::out_of_range& e) {
        EXPECT_EQ(0u, std::string(e.what()).rfind("chunk ", 0)) << e.what();
    }
    // Each thread had at most one chunk running when the first failure came.
    EXPECT_LE(started, int(pool.concurrency()));
}

// The guard runs every chunk, on the workers and on the caller, also when a
// loop runs on the caller alone; what it throws is the chunk's failure.
TEST(ThreadPool, EveryChunkRunsUnderTheGuard)
{
    thread_pool pool(3);
    std::atomic<int> guarded{0};
    pool.set_guard([&](const std::function<void()>& chunk) {
        ++guarded;
        try {
            chunk();
        } catch (const std::logic_error& e) {
            throw std::runtime_error(std::string("guarded: ") + e.what());
        }
    });
    pool.parallel_for(40, 4, [](size_t, size_t, unsigned) {});
    EXPECT_EQ(10, guarded);
    pool.parallel_for(3, 4, [](size_t, size_t, unsigned) {});  // one chunk: on the caller alone
    EXPECT_EQ(11, guarded);

    try {
        pool.parallel_for(40, 4, [](size_t begin, size_t, unsigned) {
            if (begin == 20) throw std::logic_error("index 20");
        });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ("guarded: index 20", e.what());
    }

    pool.set_guard(nullptr);
    guarded = 0;
    pool.parallel_for(40, 4, [](size_t, size_t, unsigned) {});
    EXPECT_EQ(0, guarded);
}

// A loop started inside a chunk (an outline's steps inside the loop over a
// picture's outlines) gets the help of the thread that has run out of
// chunks of its own.
TEST(ThreadPool, ALoopInsideAChunkIsHelpedByTheThreadThatIsDone)
{
    thread_pool pool(2);
    size_t inner_workers = 0;
    pool.parallel_for(2, 1, [&](size_t begin, size_t, unsigned) {
        if (begin == 1) inner_workers = workers_of_a_loop(pool, 40);
    });
    EXPECT_EQ(2u, inner_workers);
}

// Loops nested in chunks and loops called from several threads at once:
// every index once, and no two chunks of one loop ever run at the same
// time under the same worker number (a caller's scratch is per number).
TEST(ThreadPool, WorkerNumbersStayUniqueWithinEveryLoop)
{
    thread_pool pool(3);
    struct numbers {
        std::vector<std::atomic<bool>> in_use;
        std::atomic<int> clashes{0};
        explicit numbers(unsigned n) : in_use(n) {}
        void enter(unsigned worker)
        {
            if (in_use[worker].exchange(true)) ++clashes;
        }
        void leave(unsigned worker) { in_use[worker] = false; }
    };
    std::atomic<int> clashes{0}, handled{0};
    auto outer = [&] {
        numbers outer_numbers(pool.concurrency());
        pool.parallel_for(12, 1, [&](size_t, size_t, unsigned worker) {
            outer_numbers.enter(worker);
            numbers inner_numbers(pool.concurrency());
            pool.parallel_for(20, 1, [&](size_t begin, size_t end, unsigned inner_worker) {
                inner_numbers.enter(inner_worker);
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                handled += int(end - begin);
                inner_numbers.leave(inner_worker);
            });
            clashes += inner_numbers.clashes;
            outer_numbers.leave(worker);
        });
        clashes += outer_numbers.clashes;
    };
    std::thread other(outer);
    outer();
    other.join();
    EXPECT_EQ(0, clashes);
    EXPECT_EQ(2 * 12 * 20, handled);
}
