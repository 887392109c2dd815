#include "framework/fault/fault_report.h"

#include "framework/fault/fault_guard.h"
#include "framework/fault/fault_info.h"
#include "framework/fault/symbol_engine.h"

#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <vector>

namespace Kor {

namespace {

// A line never runs past this many characters. A symbol name fits on the
// line when it is at most kSymbolRoom characters minus what the line already
// holds, a file name at most kFileRoom minus that; a name that does not fit
// is cut where the line reaches kLineEnd, and the line ends there.
constexpr std::size_t kLineEnd = 1023;
constexpr std::size_t kSymbolRoom = 718;
constexpr std::size_t kFileRoom = 714;

// Deep recursion (a stack overflow) would otherwise give thousands of alike
// lines; the innermost ones tell what happened.
constexpr std::size_t kMaxStackLines = 128;

struct NamedFault {
    int signal;
    int code;
    const char* name;
};

// Faults by signal and si_code. x86 reports a general-protection fault (a
// non-canonical address, a privileged instruction) as SIGSEGV from the
// kernel, with nothing that tells the two apart; most are bad pointers.
constexpr NamedFault kNamedFaults[] = {
    {SIGSEGV, SEGV_MAPERR, "EXCEPTION_ACCESS_VIOLATION"},
    {SIGSEGV, SEGV_ACCERR, "EXCEPTION_ACCESS_VIOLATION"},
    {SIGSEGV, SEGV_PKUERR, "EXCEPTION_ACCESS_VIOLATION"},
    {SIGSEGV, SI_KERNEL, "EXCEPTION_ACCESS_VIOLATION"},
    {SIGSEGV, SEGV_BNDERR, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {SIGBUS, BUS_ADRALN, "EXCEPTION_DATATYPE_MISALIGNMENT"},
    {SIGBUS, BUS_ADRERR, "EXCEPTION_IN_PAGE_ERROR"},
    {SIGBUS, BUS_MCEERR_AR, "EXCEPTION_IN_PAGE_ERROR"},
    {SIGBUS, BUS_MCEERR_AO, "EXCEPTION_IN_PAGE_ERROR"},
    {SIGILL, ILL_ILLOPC, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_ILLOPN, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_ILLADR, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_ILLTRP, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_COPROC, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_BADSTK, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_BADIADDR, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {SIGILL, ILL_PRVOPC, "EXCEPTION_PRIV_INSTRUCTION"},
    {SIGILL, ILL_PRVREG, "EXCEPTION_PRIV_INSTRUCTION"},
    {SIGFPE, FPE_INTDIV, "EXCEPTION_INT_DIVIDE_BY_ZERO"},
    {SIGFPE, FPE_INTOVF, "EXCEPTION_INT_OVERFLOW"},
    {SIGFPE, FPE_FLTDIV, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {SIGFPE, FPE_FLTOVF, "EXCEPTION_FLT_OVERFLOW"},
    {SIGFPE, FPE_FLTUND, "EXCEPTION_FLT_UNDERFLOW"},
    {SIGFPE, FPE_FLTRES, "EXCEPTION_FLT_INEXACT_RESULT"},
    {SIGFPE, FPE_FLTINV, "EXCEPTION_FLT_INVALID_OPERATION"},
    {SIGFPE, FPE_FLTSUB, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {SIGTRAP, SI_KERNEL, "EXCEPTION_BREAKPOINT"},  // int3 on x86
    {SIGTRAP, TRAP_BRKPT, "EXCEPTION_BREAKPOINT"},
    {SIGTRAP, TRAP_TRACE, "EXCEPTION_SINGLE_STEP"},
    {SIGTRAP, TRAP_BRANCH, "EXCEPTION_SINGLE_STEP"},
    {SIGTRAP, TRAP_HWBKPT, "EXCEPTION_SINGLE_STEP"},  // debug registers
};

std::mutex g_mutex;   // one report at a time: libdwfl and the kept text
std::string g_report;

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (length < 0) return {};
    return std::string(text, std::min(static_cast<std::size_t>(length), sizeof text - 1));
}

std::string ProgramBaseName() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "<UNKNOWN>";
    std::string name(path, static_cast<std::size_t>(length));
    const std::string deleted = " (deleted)";  // the file was replaced while running
    if (name.size() > deleted.size() && name.compare(name.size() - deleted.size(), deleted.size(), deleted) == 0)
        name.erase(name.size() - deleted.size());
    return ModuleBaseName(name);
}

std::string FaultName(const FaultInfo& fault) {
    if (const char* name = ExceptionName(fault.signal, fault.code, fault.stackOverflow)) return name;
    if (const char* text = sigdescr_np(fault.signal)) return text;
    return Printf("Unknown signal %d", fault.signal);
}

// Appends ", " and `name`; false when the name did not fit its room and the
// line has ended with it.
bool AppendName(std::string& line, const std::string& name, std::size_t room) {
    const bool fits = line.size() <= room && name.size() <= room - line.size();
    line += ", ";
    line += name;
    if (fits) return true;
    if (line.size() > kLineEnd) line.resize(kLineEnd);
    return false;
}

// ", name()+0012 byte(s)"; at displacement 0 ", name", with a blank after it
// on the fault line.
bool AppendSymbol(std::string& line, const SymbolEngine::Symbol& symbol, bool faultLine) {
    if (!AppendName(line, symbol.name, kSymbolRoom)) return false;
    if (symbol.displacement != 0)
        line += Printf("()+%04" PRIu64 " byte(s)", symbol.displacement);
    else if (faultLine)
        line += ' ';
    return true;
}

// ", file, line 0042+0003 byte(s)"; at displacement 0 ", file, line 0042".
void AppendSourceLine(std::string& line, const SymbolEngine::SourceLine& source) {
    if (!AppendName(line, source.file, kFileRoom)) return;
    if (source.displacement != 0)
        line += Printf(", line %04d+%04" PRIu64 " byte(s)", source.line, source.displacement);
    else
        line += Printf(", line %04d", source.line);
}

// Symbol and source line of `pc` where they are known.
void AppendWhere(std::string& line, const SymbolEngine& symbols, std::uint64_t pc,
                 bool returnAddress, bool faultLine) {
    if (auto symbol = symbols.SymbolAt(pc, returnAddress))
        if (!AppendSymbol(line, *symbol, faultLine)) return;
    if (auto source = symbols.LineAt(pc, returnAddress)) AppendSourceLine(line, *source);
}

std::string FaultLine(const FaultInfo& fault, const SymbolEngine& symbols) {
    const std::uint64_t pc = fault.registers.rip;
    const std::optional<std::string> module = symbols.ModuleName(pc, false);
    std::string line = ProgramBaseName() + " caused an " + FaultName(fault) + " in module " +
                       (module ? *module : std::string("<UNKNOWN>")) +
                       Printf(" at %04X:%016" PRIX64, fault.registers.cs, pc);
    if (module) AppendWhere(line, symbols, pc, false, true);
    return line + "\n";
}

// A line per frame until the walk ends or reaches a frame outside every
// module. The four words of a frame are those at its call site in the
// caller's frame (its canonical frame address), where stack arguments are
// passed; words the stack copy does not hold are written as 0.
std::string StackLines(const FaultInfo& fault, SymbolEngine& symbols) {
    const std::vector<SymbolEngine::Frame> frames = symbols.Walk(fault, kMaxStackLines + 1);
    std::string lines;
    for (std::size_t i = 0; i < frames.size() && i < kMaxStackLines; ++i) {
        const SymbolEngine::Frame& frame = frames[i];
        if (frame.pc == 0) break;
        const std::optional<std::string> module = symbols.ModuleName(frame.pc, frame.returnAddress);
        if (!module) break;
        std::uint64_t words[4] = {};
        if (i + 1 < frames.size() && frames[i + 1].sp != 0)
            for (int k = 0; k < 4; ++k) fault.StackWord(frames[i + 1].sp + 8 * k, words[k]);
        std::string line = Printf("%04X:%016" PRIX64 " (0x%016" PRIX64 " 0x%016" PRIX64
                                  " 0x%016" PRIX64 " 0x%016" PRIX64 ") ",
                                  fault.registers.cs, frame.pc, words[0], words[1], words[2],
                                  words[3]) +
                           *module;
        AppendWhere(line, symbols, frame.pc, frame.returnAddress, false);
        lines += line + "\n";
    }
    return lines;
}

std::string RegisterLines(const FaultRegisters& r) {
    return Printf("RAX=%016" PRIX64 "  RBX=%016" PRIX64 "  RCX=%016" PRIX64 "  RDX=%016" PRIX64 "\n"
                  "RSI=%016" PRIX64 "  RDI=%016" PRIX64 "  RBP=%016" PRIX64 "  RSP=%016" PRIX64 "\n"
                  "R8=%016" PRIX64 "   R9=%016" PRIX64 "   R10=%016" PRIX64 "  R11=%016" PRIX64 "\n"
                  "R12=%016" PRIX64 "  R13=%016" PRIX64 "  R14=%016" PRIX64 "  R15=%016" PRIX64 "\n"
                  "RIP=%016" PRIX64 "  FLG=%08" PRIX64 "\n"
                  "CS=%04X   DS=%04X  SS=%04X  ES=%04X   FS=%04X  GS=%04X\n",
                  r.rax, r.rbx, r.rcx, r.rdx, r.rsi, r.rdi, r.rbp, r.rsp, r.r8, r.r9, r.r10, r.r11,
                  r.r12, r.r13, r.r14, r.r15, r.rip, r.flags, r.cs, r.ds, r.ss, r.es, r.fs, r.gs);
}

}  // namespace

const char* ExceptionName(int signal, int code, bool stackOverflow) {
    if (signal == SIGSEGV && stackOverflow) return "EXCEPTION_STACK_OVERFLOW";
    for (const NamedFault& fault : kNamedFaults)
        if (fault.signal == signal && fault.code == code) return fault.name;
    return nullptr;
}

std::string BuildFaultReport(const FaultInfo* fault) {
    // The look-ups read every module's files and debug information; should
    // they fault themselves (a damaged file, a library replaced on disk while
    // it runs), the fault is caught here and the report is written without
    // them. The inner fault's own report is not built.
    thread_local bool building = false;
    if (building) return {};
    std::lock_guard<std::mutex> lock(g_mutex);
    g_report.clear();
    if (fault == nullptr) return {};
    building = true;
    struct EndBuilding {
        ~EndBuilding() { building = false; }
    } endBuilding;
    try {
        GuardFaults([&] {
            SymbolEngine symbols;
            g_report = FaultLine(*fault, symbols) + StackLines(*fault, symbols);
        });
    } catch (const ProcessorFault&) {
        g_report = FaultLine(*fault, SymbolEngine(SymbolEngine::NoModules{}));
    }
    g_report += RegisterLines(fault->registers);
    return g_report;
}

std::string GetFaultReport() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_report;
}

}  // namespace Kor
