// The fault guard: what passes through it, nesting, and faults outside it.
#include "tests/fault/faults.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <atomic>
#include <stdexcept>

namespace kortest {
namespace {

TEST(GuardFaults, LetsExceptionsThroughNestsAndGivesTheSignalStackBack) {
    stack_t before{};
    ASSERT_EQ(sigaltstack(nullptr, &before), 0);

    bool ran = false;
    Kor::GuardFaults([&] { ran = true; });
    EXPECT_TRUE(ran);
    try {
        Kor::GuardFaults([] { throw std::out_of_range("index 7"); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "index 7");
    }

    // The inner guard takes the fault of its body; the outer body goes on,
    // and its own fault is the outer guard's.
    std::string inner;
    const std::string outer = FaultReportOf([&] {
        inner = FaultReportOf(WriteThroughNull);
        DivideByZero();
    });
    EXPECT_NE(inner.find(" caused an EXCEPTION_ACCESS_VIOLATION "), std::string::npos) << inner;
    EXPECT_NE(outer.find(" caused an EXCEPTION_INT_DIVIDE_BY_ZERO "), std::string::npos) << outer;

    stack_t after{};
    ASSERT_EQ(sigaltstack(nullptr, &after), 0);
    EXPECT_EQ(after.ss_sp, before.ss_sp);
    EXPECT_EQ(after.ss_size, before.ss_size);
    EXPECT_EQ(after.ss_flags, before.ss_flags);
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer handled SIGSEGV before the guard did: it reports the
// fault and exits.
const auto kDiedOfSegv = testing::ExitedWithCode(1);
const char* const kSegvMessage = "AddressSanitizer: SEGV";
#else
const auto kDiedOfSegv = testing::KilledBySignal(SIGSEGV);
const char* const kSegvMessage = "";
#endif

// In a child process: the guard's handlers are installed and another thread
// sits inside a guard, yet a fault outside any guard ends the process as it
// would without them.
void FaultOutsideAGuard(void (*fault)()) {
    std::atomic<bool> guarded{false};
    std::thread([&] {
        Kor::GuardFaults([&] {
            guarded = true;
            for (;;) pause();
        });
    }).detach();
    while (!guarded) std::this_thread::yield();
    fault();
}

TEST(GuardFaultsDeathTest, AFaultOutsideAGuardEndsTheProcessAsBefore) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FaultOutsideAGuard(WriteThroughNull), kDiedOfSegv, kSegvMessage);
    EXPECT_EXIT(FaultOutsideAGuard(Breakpoint), testing::KilledBySignal(SIGTRAP), "");
}

}  // namespace
}  // namespace kortest
