#include "tests/fault/faults.h"

#include <csignal>
#include <cstdint>
#include <tuple>

namespace kortest {

namespace {
volatile int g_one = 1;  // volatile both: 1 / x would be folded into a compare
volatile int g_zero = 0;
volatile int g_neverReached = -1;  // keeps the recursion from looking endless
}  // namespace

const int kNullWriteLine = __LINE__ + 3;
KORTEST_FAULT_MAKER void WriteThroughNull() {
    volatile int* volatile pointer = nullptr;
    *pointer = 1;
}

KORTEST_FAULT_MAKER void DivideByZero() {
    volatile int quotient = g_one / g_zero;
    (void)quotient;
}

KORTEST_FAULT_MAKER void ExecuteUndefinedInstruction() { __builtin_trap(); }

KORTEST_FAULT_MAKER void Breakpoint() { asm volatile("int3"); }

namespace {
KORTEST_FAULT_MAKER int Recurse(int depth) {
    volatile char frame[128];
    frame[0] = static_cast<char>(depth);
    if (depth == g_neverReached) return frame[0];
    return Recurse(depth + 1) + frame[0];
}
}  // namespace

KORTEST_FAULT_MAKER void OverflowTheStack() { Recurse(0); }

void RaiseBusError() { std::raise(SIGBUS); }

KORTEST_FAULT_MAKER void CallOutsideEveryModule() {
    // Below the lowest address Linux maps (vm.mmap_min_addr).
    auto nowhere = reinterpret_cast<void (*)()>(std::uintptr_t{0x10});
    nowhere();
}

namespace {
struct AnExceedinglyLongTypeNameThatFillsTheLineOfAFaultReport {};
using Filler = AnExceedinglyLongTypeNameThatFillsTheLineOfAFaultReport;

template <typename T>
struct LongNamed {
    KORTEST_FAULT_MAKER static void Fault() {
        volatile int* volatile pointer = nullptr;
        *pointer = 2;
    }
};
}  // namespace

void FaultInLongNamedFunction() {
    LongNamed<std::tuple<Filler, Filler, Filler, Filler, Filler, Filler, Filler, Filler, Filler,
                         Filler, Filler, Filler, Filler, Filler>>::Fault();
}

}  // namespace kortest
