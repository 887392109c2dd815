// The fault guard: runs a body so that a processor fault inside it becomes a
// C++ exception carrying the fault report, instead of ending the process.
// The framework's run loop runs each piece of work it dispatches under it
// (AppBase sets it as the loop's work guard); worker threads run their
// bodies under it. Guards nest: a fault is caught by the innermost guard
// around it, and the guards further out see only the exception thrown there.
//
// How: on first use the guard installs handlers for SIGSEGV, SIGBUS, SIGILL,
// SIGFPE and SIGTRAP, and gives each guarded thread an alternate signal stack
// (so that a stack overflow can be handled too). The handler does only what
// is safe inside a signal handler: it copies the registers, the signal's
// details and the top of the thread's stack into storage of the thread, and
// jumps back to the innermost guard; the report is built there, after the
// handler has been left.
//
// A fault in a thread that is not inside a guard, and a signal sent by
// another process, go on to whatever handled the signal before (by default
// the process ends as usual).
//
// What a fault cannot give back: the frames between the guard and the fault
// are abandoned, not unwound, so their destructors do not run (what they
// owned leaks, locks they held stay held).
#pragma once

#include <functional>
#include <stdexcept>
#include <string>

namespace Kor {

// What GuardFaults throws when a processor fault happened inside its body;
// what() is the fault report (as GetFaultReport() returns it).
class ProcessorFault : public std::runtime_error {
public:
    explicit ProcessorFault(const std::string& report);
};

// Runs body() on the calling thread. A processor fault inside it (segmentation
// fault, bus error, illegal instruction, floating-point exception, stack
// overflow on an alternate signal stack) does not end the process: the fault
// report is built and ProcessorFault is thrown from GuardFaults. C++ exceptions
// from body pass through unchanged. Nests; works on any thread.
void GuardFaults(const std::function<void()>& body);

}  // namespace Kor
