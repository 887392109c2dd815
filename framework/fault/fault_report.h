// The fault report: a plain-text description of a processor fault for a
// developer, in three parts (lines end with "\n", so does the report):
//
//   1. The fault line: program, fault name, module, address, and the symbol
//      and source line where known, e.g.
//      "vexilo caused an EXCEPTION_ACCESS_VIOLATION in module libkorvane at
//       0033:00007F3A5C2D14E7, Kor::Foo()+0023 byte(s), /src/foo.cpp, line 0042"
//   2. One line per stack frame, innermost first: code segment and program
//      counter, the four 64-bit words at the frame's call site (where stack
//      arguments are passed), module, symbol and source line.
//   3. The x86-64 register dump.
//
// Module names are base names: no directory, no extension ("libc.so.6" is
// "libc"); "<UNKNOWN>" for an address that no loaded module holds. Symbols
// are demangled and written without their parameter list. Addresses and
// words are 64-bit, written with 16 hex digits.
#pragma once

#include <string>

namespace Kor {

struct FaultInfo;

// Builds the report for `info` (the empty text for null), keeps it for
// GetFaultReport until the next report replaces it, and returns it. Reports
// from several threads are built one after the other.
std::string BuildFaultReport(const FaultInfo* info);

// The last report built.
std::string GetFaultReport();

// The report's name of a processor fault, given its signal, its si_code and
// whether it was a stack overflow ("EXCEPTION_ACCESS_VIOLATION", ...), or
// null when the fault has none (the report then names it by the system's
// description of the signal).
const char* ExceptionName(int signal, int code, bool stackOverflow = false);

}  // namespace Kor
