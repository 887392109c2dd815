// The engine's thread pool under the fault guard: a processor fault in one
// chunk on a pool thread reaches the caller as an exception, and the pool
// and the process go on.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "fitting/thread_pool.h"
#include "tests/fault/faults.h"

namespace kortest {
namespace {

TEST(PoolFault, AFaultInAPoolThreadReachesTheCaller) {
    outline::thread_pool pool(3);
    pool.set_guard(Kor::GuardFaults);
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<bool> faulting{false};
    std::atomic<int> running{0};
    std::thread::id faulted_on;
    try {
        pool.parallel_for(200, 1, [&](size_t, size_t, unsigned worker) {
            if (worker != 0 && !faulting.exchange(true)) {
                faulted_on = std::this_thread::get_id();
                WriteThroughNull();
            }
            ++running;
            // The caller's chunks wait for the fault, so that it happens on a pool thread.
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (worker == 0 && !faulting && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            --running;
        });
        ADD_FAILURE() << "no fault reported";
    } catch (const Kor::ProcessorFault& fault) {
        EXPECT_NE(std::string(fault.what()).find(" caused an EXCEPTION_ACCESS_VIOLATION "), std::string::npos)
            << fault.what();
        EXPECT_EQ(running, 0) << "a chunk still runs after parallel_for returned";
    }
    ASSERT_TRUE(faulting);
    EXPECT_NE(faulted_on, caller);

    // The pool runs the next loop on all its threads, every index once.
    std::vector<std::atomic<int>> seen(60);
    std::atomic<bool> on_a_worker{false};
    pool.parallel_for(seen.size(), 1, [&](size_t begin, size_t end, unsigned worker) {
        for (size_t i = begin; i < end; ++i) ++seen[i];
        if (worker != 0) on_a_worker = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    for (const std::atomic<int>& count : seen) EXPECT_EQ(count, 1);
    EXPECT_TRUE(on_a_worker);
}

}  // namespace
}  // namespace kortest
