// Real processor faults for the tests, and a way to run them under a guard.
// The functions are never inlined (the report must find them by name) and
// are left alone by the sanitizers, which would otherwise report the fault
// themselves first.
#pragma once

#include "framework/fault/fault_guard.h"

#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#define KORTEST_FAULT_MAKER __attribute__((noinline, no_sanitize("address", "undefined")))

namespace kortest {

// The source line of the faulting write in WriteThroughNull (faults.cpp).
extern const int kNullWriteLine;

void WriteThroughNull();
void DivideByZero();
void ExecuteUndefinedInstruction();  // ud2
void Breakpoint();                   // int3
void OverflowTheStack();
void RaiseBusError();                // a SIGBUS sent to the thread itself
void CallOutsideEveryModule();
// Faults in a function whose name is longer than a report line.
void FaultInLongNamedFunction();

// Runs `body` under a guard on the calling thread and returns the report of
// the fault it caused; "" when none.
inline std::string FaultReportOf(const std::function<void()>& body) {
    try {
        Kor::GuardFaults(body);
    } catch (const Kor::ProcessorFault& fault) {
        return fault.what();
    }
    return {};
}

// The same on a worker thread of its own.
inline std::string FaultReportOnWorker(const std::function<void()>& body) {
    std::string report;
    std::thread worker([&] { report = FaultReportOf(body); });
    worker.join();
    return report;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace kortest
