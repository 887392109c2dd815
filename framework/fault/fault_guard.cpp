#include "framework/fault/fault_guard.h"

#include "framework/fault/fault_info.h"
#include "framework/fault/fault_report.h"

#include <pthread.h>
#include <setjmp.h>
#include <signal.h>
#include <sys/mman.h>
#include <ucontext.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <mutex>
#include <vector>

#if !defined(__x86_64__)
#error "The fault report is written for the registers of x86-64"
#endif

namespace Kor {

ProcessorFault::ProcessorFault(const std::string& report) : std::runtime_error(report) {}

namespace {

constexpr int kFaultSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGTRAP};

// How much of the faulting stack is kept: room for far more frames than the
// report writes. The alternate signal stack only holds the handler, which
// calls nothing deep.
constexpr std::size_t kStackCopyBytes = 256 * 1024;
constexpr std::size_t kMinAltStackBytes = 64 * 1024;

// A SIGSEGV below the thread's stack, this close to the stack pointer, is the
// stack running over its end (frames that probe further are rare).
constexpr std::uintptr_t kOverflowReach = 64 * 1024;

// uc_flags bit: the kernel saved SS in the signal context (Linux 4.6 on).
constexpr unsigned long kSigcontextSs = 0x2;

struct GuardFrame {
    sigjmp_buf resume;
    GuardFrame* outer;
};

// What a guarded thread keeps for its fault handler; made by the first guard
// on the thread, so the handler never allocates.
struct ThreadFaultState {
    ThreadFaultState();
    ~ThreadFaultState();

    GuardFrame* innermost = nullptr;  // null outside every guard
    pid_t thread;
    std::size_t pageSize;
    std::uintptr_t stackLow = 0, stackHigh = 0;  // the thread's stack; 0 when unknown
    std::size_t altStackSize;
    std::unique_ptr<unsigned char[]> altStack;
    std::unique_ptr<unsigned char[]> stackCopy;  // kStackCopyBytes
    FaultInfo fault;
};

// The handler reads the plain pointer (no lazy initialisation when it is
// touched); the owning pointer frees the state when the thread ends.
thread_local ThreadFaultState* t_state __attribute__((tls_model("initial-exec"))) = nullptr;
thread_local std::unique_ptr<ThreadFaultState> t_ownedState;

struct sigaction g_previous[NSIG];  // what handled each fault signal before us

std::size_t AltStackSize() {
    long size = 0;
#ifdef _SC_SIGSTKSZ
    size = sysconf(_SC_SIGSTKSZ);
#endif
    return std::max(kMinAltStackBytes, size > 0 ? static_cast<std::size_t>(size) : 0);
}

ThreadFaultState::ThreadFaultState()
    : thread(gettid()),
      pageSize(static_cast<std::size_t>(sysconf(_SC_PAGESIZE))),
      altStackSize(AltStackSize()),
      altStack(new unsigned char[altStackSize]),
      stackCopy(new unsigned char[kStackCopyBytes]) {
    pthread_attr_t attributes;
    if (pthread_getattr_np(pthread_self(), &attributes) != 0) return;
    void* low = nullptr;
    std::size_t size = 0;
    if (pthread_attr_getstack(&attributes, &low, &size) == 0) {
        stackLow = reinterpret_cast<std::uintptr_t>(low);
        stackHigh = stackLow + size;
    }
    pthread_attr_destroy(&attributes);
}

ThreadFaultState::~ThreadFaultState() { t_state = nullptr; }

ThreadFaultState& CurrentThreadState() {
    if (t_state == nullptr) {
        t_ownedState = std::make_unique<ThreadFaultState>();
        t_state = t_ownedState.get();
    }
    return *t_state;
}

// --- In the signal handler: only async-signal-safe work from here on. ---

// Word by word through volatile reads, so that no library copy (nor a
// sanitizer's check of stack frames that are not live) is involved.
__attribute__((no_sanitize_address)) void CopyWords(unsigned char* to, std::uintptr_t from,
                                                     std::size_t bytes) {
    const volatile std::uint64_t* source = reinterpret_cast<const volatile std::uint64_t*>(from);
    std::uint64_t* target = reinterpret_cast<std::uint64_t*>(to);
    for (std::size_t i = 0; i < bytes / sizeof(std::uint64_t); ++i) target[i] = source[i];
}

bool PageMapped(std::uintptr_t page, std::size_t pageSize) {
    unsigned char resident;
    return mincore(reinterpret_cast<void*>(page), pageSize, &resident) == 0;
}

// Copies the thread's stack from the stack pointer up. Only the thread's own
// stack is read, from its first mapped page on: a stack pointer that ran over
// lies below the stack, and the main thread's stack is mapped only as far as
// it has grown.
void CopyStack(ThreadFaultState& state, std::uintptr_t sp) {
    if (state.stackHigh == 0) return;
    std::uintptr_t from = std::max(sp, state.stackLow) & ~std::uintptr_t(7);
    const std::uintptr_t pageMask = state.pageSize - 1;
    while (from < state.stackHigh && !PageMapped(from & ~pageMask, state.pageSize))
        from = (from | pageMask) + 1;
    if (from >= state.stackHigh) return;
    const std::size_t bytes = std::min(kStackCopyBytes, state.stackHigh - from) & ~std::size_t(7);
    CopyWords(state.stackCopy.get(), from, bytes);
    state.fault.stackBase = from;
    state.fault.stack = state.stackCopy.get();
    state.fault.stackSize = bytes;
}

bool StackOverflow(const ThreadFaultState& state, const siginfo_t& info, std::uintptr_t sp) {
    if (info.si_signo != SIGSEGV || info.si_code <= 0) return false;  // a sent SIGSEGV has no address
    const auto address = reinterpret_cast<std::uintptr_t>(info.si_addr);
    const bool nearStackPointer = address + kOverflowReach >= sp && address <= sp + kOverflowReach;
    return nearStackPointer && (state.stackLow == 0 || address < state.stackLow);
}

void Record(ThreadFaultState& state, int signal, const siginfo_t& info, const ucontext_t& context) {
    FaultInfo& fault = state.fault;
    fault = FaultInfo{};
    fault.signal = signal;
    fault.code = info.si_code;
    fault.address = reinterpret_cast<std::uintptr_t>(info.si_addr);
    fault.thread = state.thread;

    const greg_t* g = context.uc_mcontext.gregs;
    FaultRegisters& r = fault.registers;
    r.rax = g[REG_RAX], r.rbx = g[REG_RBX], r.rcx = g[REG_RCX], r.rdx = g[REG_RDX];
    r.rsi = g[REG_RSI], r.rdi = g[REG_RDI], r.rbp = g[REG_RBP], r.rsp = g[REG_RSP];
    r.r8 = g[REG_R8], r.r9 = g[REG_R9], r.r10 = g[REG_R10], r.r11 = g[REG_R11];
    r.r12 = g[REG_R12], r.r13 = g[REG_R13], r.r14 = g[REG_R14], r.r15 = g[REG_R15];
    r.rip = g[REG_RIP], r.flags = g[REG_EFL];
    const std::uint64_t segments = g[REG_CSGSFS];  // cs, gs, fs, ss from low to high
    r.cs = segments & 0xFFFF;
    r.gs = (segments >> 16) & 0xFFFF;
    r.fs = (segments >> 32) & 0xFFFF;
    // The signal context has no DS and ES, nor SS before Linux 4.6. User code
    // in 64-bit mode does not change them, so their current values are those
    // of the fault.
    if (context.uc_flags & kSigcontextSs)
        r.ss = (segments >> 48) & 0xFFFF;
    else
        asm volatile("mov %%ss, %0" : "=r"(r.ss));
    asm volatile("mov %%ds, %0" : "=r"(r.ds));
    asm volatile("mov %%es, %0" : "=r"(r.es));

    fault.stackOverflow = StackOverflow(state, info, r.rsp);
    CopyStack(state, r.rsp);
}

// A signal another process sent is no fault of the guarded body.
bool Sent(const siginfo_t& info) {
    if (info.si_code > 0) return false;  // raised by the processor or the kernel
    const bool fromThisProcess =
        (info.si_code == SI_USER || info.si_code == SI_TKILL || info.si_code == SI_QUEUE) &&
        info.si_pid == getpid();
    return !fromThisProcess;
}

// Hands the signal to what handled it before the guard's handler was
// installed. The default action (which a processor fault cannot escape by
// being ignored) is put back and the signal comes again: a faulting
// instruction faults anew when the handler returns, a trap or a sent signal
// is raised anew.
void PassOn(int signal, siginfo_t* info, void* context) {
    const struct sigaction& previous = g_previous[signal];
    const bool fault = info->si_code > 0;
    if (previous.sa_handler == SIG_IGN && !fault) return;
    if (previous.sa_handler != SIG_IGN && previous.sa_handler != SIG_DFL) {
        if (previous.sa_flags & SA_SIGINFO)
            previous.sa_sigaction(signal, info, context);
        else
            previous.sa_handler(signal);
        return;
    }
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    if (!fault || signal == SIGTRAP) raise(signal);
}

void OnFaultSignal(int signal, siginfo_t* info, void* context) {
    ThreadFaultState* state = t_state;
    if (state == nullptr || state->innermost == nullptr || Sent(*info)) {
        const int savedErrno = errno;
        PassOn(signal, info, context);
        errno = savedErrno;
        return;
    }
    Record(*state, signal, *info, *static_cast<const ucontext_t*>(context));
    siglongjmp(state->innermost->resume, 1);
}

// --- End of the signal handler's part. ---

void InstallHandlers() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int signal : kFaultSignals) sigaction(signal, nullptr, &g_previous[signal]);
        struct sigaction action {};
        action.sa_sigaction = OnFaultSignal;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        // A fault inside the handler then ends the process instead of
        // entering the handler again.
        sigemptyset(&action.sa_mask);
        for (int signal : kFaultSignals) sigaddset(&action.sa_mask, signal);
        for (int signal : kFaultSignals) sigaction(signal, &action, nullptr);
    });
}

// Gives the thread the guard's alternate signal stack while its outermost
// guard runs (a stack that ran over leaves no room for the handler), and
// gives back the one it had before.
class AlternateStack {
public:
    explicit AlternateStack(const ThreadFaultState& state) {
        if (state.innermost != nullptr) return;
        stack_t ours{};
        ours.ss_sp = state.altStack.get();
        ours.ss_size = state.altStackSize;
        active_ = sigaltstack(&ours, &previous_) == 0;
    }
    ~AlternateStack() {
        if (active_) sigaltstack(&previous_, nullptr);
    }
    AlternateStack(const AlternateStack&) = delete;
    AlternateStack& operator=(const AlternateStack&) = delete;

private:
    stack_t previous_{};
    bool active_ = false;
};

}  // namespace

void GuardFaults(const std::function<void()>& body) {
    InstallHandlers();
    ThreadFaultState& state = CurrentThreadState();
    AlternateStack alternateStack(state);
    GuardFrame frame;
    frame.outer = state.innermost;
    if (sigsetjmp(frame.resume, 1) == 0) {
        state.innermost = &frame;
        try {
            body();
        } catch (...) {
            state.innermost = frame.outer;
            throw;
        }
        state.innermost = frame.outer;
        return;
    }
    // Here from the handler, on this thread's own stack again. The report is
    // built from a copy: a fault while it is being built (a damaged debug
    // file, say) records into the thread's storage again.
    state.innermost = frame.outer;
    const std::vector<unsigned char> stack(state.fault.stack,
                                           state.fault.stack + state.fault.stackSize);
    FaultInfo fault = state.fault;
    fault.stack = stack.data();
    throw ProcessorFault(BuildFaultReport(&fault));
}

}  // namespace Kor
