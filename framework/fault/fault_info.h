// What the fault handler keeps of a processor fault: everything the fault
// report needs, copied while the handler runs (where nothing else can safely
// be done) and read after the handler has been left. The registers are those
// of x86-64, the one machine this report is written for.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Kor {

// The general registers as the fault left them.
struct FaultRegisters {
    std::uint64_t rax, rbx, rcx, rdx, rsi, rdi, rbp, rsp;
    std::uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    std::uint64_t rip, flags;
    std::uint16_t cs, ds, ss, es, fs, gs;
};

struct FaultInfo {
    int signal = 0;              // SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP, ...
    int code = 0;                // the signal's si_code
    std::uintptr_t address = 0;  // si_addr: the memory address the fault concerns
    bool stackOverflow = false;  // a SIGSEGV on the guard area below the stack
    pid_t thread = 0;            // the faulting thread
    FaultRegisters registers{};

    // A copy of the faulting thread's stack from its stack pointer upwards:
    // stack[i] is the byte at stackBase + i, for i < stackSize. The stack is
    // walked from this copy, because once the handler is left the stack below
    // the guard is reused by the code that builds the report. Empty when the
    // stack pointer lay outside the thread's stack.
    std::uintptr_t stackBase = 0;
    const unsigned char* stack = nullptr;
    std::size_t stackSize = 0;

    // The 64-bit word at `at` in the stack copy; false when the copy does not
    // hold all of it.
    bool StackWord(std::uintptr_t at, std::uint64_t& word) const {
        if (at < stackBase || at - stackBase > stackSize ||
            stackSize - (at - stackBase) < sizeof word)
            return false;
        std::memcpy(&word, stack + (at - stackBase), sizeof word);
        return true;
    }
};

}  // namespace Kor
