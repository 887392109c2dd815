// The fault report of real faults in guarded worker threads.
#include "tests/fault/faults.h"

#include "framework/fault/fault_report.h"

#include <gtest/gtest.h>

#include <regex.h>

#include <csignal>
#include <cstring>
#include <optional>

namespace kortest {
namespace {

// The groups of `pattern` (a POSIX extended regular expression that must
// match the whole text), group 0 being the whole; none when it does not
// match. (std::regex draws false warnings from GCC 12 under the sanitizers.)
std::optional<std::vector<std::string>> Match(const std::string& text, const std::string& pattern) {
    regex_t compiled;
    if (regcomp(&compiled, ("^" + pattern + "$").c_str(), REG_EXTENDED) != 0) {
        ADD_FAILURE() << "bad pattern " << pattern;
        return std::nullopt;
    }
    std::vector<regmatch_t> groups(compiled.re_nsub + 1);
    const bool matched = regexec(&compiled, text.c_str(), groups.size(), groups.data(), 0) == 0;
    regfree(&compiled);
    if (!matched) return std::nullopt;
    std::vector<std::string> texts;
    for (const regmatch_t& g : groups)
        texts.push_back(g.rm_so < 0 ? std::string() : text.substr(g.rm_so, g.rm_eo - g.rm_so));
    return texts;
}

const std::string kStackLine =
    R"(0033:([0-9A-F]{16}) \((0x[0-9A-F]{16} ){3}0x[0-9A-F]{16}\) ([^ ]+)(, .*)?)";
const std::string kRegisterLines =
    R"(RAX=[0-9A-F]{16}  RBX=[0-9A-F]{16}  RCX=[0-9A-F]{16}  RDX=[0-9A-F]{16}
RSI=[0-9A-F]{16}  RDI=[0-9A-F]{16}  RBP=[0-9A-F]{16}  RSP=[0-9A-F]{16}
R8=[0-9A-F]{16}   R9=[0-9A-F]{16}   R10=[0-9A-F]{16}  R11=[0-9A-F]{16}
R12=[0-9A-F]{16}  R13=[0-9A-F]{16}  R14=[0-9A-F]{16}  R15=[0-9A-F]{16}
RIP=([0-9A-F]{16})  FLG=[0-9A-F]{8}
CS=0033   DS=[0-9A-F]{4}  SS=[0-9A-F]{4}  ES=[0-9A-F]{4}   FS=[0-9A-F]{4}  GS=[0-9A-F]{4}
)";

// The report split into its three parts.
struct Report {
    std::string faultLine;
    std::vector<std::string> stackLines;
    std::string registers;  // the last six lines

    explicit Report(const std::string& text) {
        std::vector<std::string> lines = Lines(text);
        if (lines.size() < 7) return;
        faultLine = lines.front();
        stackLines.assign(lines.begin() + 1, lines.end() - 6);
        for (auto line = lines.end() - 6; line != lines.end(); ++line) registers += *line + "\n";
    }
};

TEST(FaultReport, NullWriteInAWorkerGivesFaultLineStackLinesAndRegisters) {
    const std::string text = FaultReportOnWorker(WriteThroughNull);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text, Kor::GetFaultReport());
    const Report report(text);

    const auto fault = Match(
        report.faultLine,
        R"(fault_tests caused an EXCEPTION_ACCESS_VIOLATION in module fault_tests )"
        R"(at 0033:([0-9A-F]{16}), kortest::WriteThroughNull\(\)\+[0-9]{4} byte\(s\), )"
        R"([^ ]*tests/fault/faults\.cpp, line ([0-9]{4})(\+[0-9]{4} byte\(s\))?)");
    ASSERT_TRUE(fault) << report.faultLine;
    const std::string address = (*fault)[1];
    EXPECT_EQ(std::stoi((*fault)[2]), kNullWriteLine);

    // Innermost first: the faulting function at the fault address, then its
    // callers up through the guard.
    ASSERT_GE(report.stackLines.size(), 3u) << text;
    for (const std::string& line : report.stackLines) EXPECT_TRUE(Match(line, kStackLine)) << line;
    const auto first = Match(report.stackLines[0], kStackLine);
    ASSERT_TRUE(first);
    EXPECT_EQ((*first)[1], address);
    EXPECT_EQ((*first)[3], "fault_tests");
    EXPECT_NE(report.stackLines[0].find(", kortest::WriteThroughNull()+"), std::string::npos);
    EXPECT_NE(report.stackLines[0].find("faults.cpp, line "), std::string::npos);
    bool throughGuard = false;
    for (const std::string& line : report.stackLines)
        throughGuard |= line.find(") libkorvane, Kor::GuardFaults()+") != std::string::npos;
    EXPECT_TRUE(throughGuard) << text;

    const auto registers = Match(report.registers, kRegisterLines);
    ASSERT_TRUE(registers) << report.registers;
    EXPECT_EQ((*registers)[1], address);
}

TEST(FaultReport, EveryKindOfFaultIsNamedAndTheThreadGoesOnToTheNext) {
    struct Case {
        void (*fault)();
        std::string name;
    };
    const Case cases[] = {
        {WriteThroughNull, "EXCEPTION_ACCESS_VIOLATION"},
        {DivideByZero, "EXCEPTION_INT_DIVIDE_BY_ZERO"},
        {ExecuteUndefinedInstruction, "EXCEPTION_ILLEGAL_INSTRUCTION"},
        {Breakpoint, "EXCEPTION_BREAKPOINT"},
        {OverflowTheStack, "EXCEPTION_STACK_OVERFLOW"},
        // Not in the table: named by the system's description of the signal.
        {RaiseBusError, sigdescr_np(SIGBUS)},
        {WriteThroughNull, "EXCEPTION_ACCESS_VIOLATION"},  // after an overflow, too
    };
    std::vector<std::string> reports;
    std::thread worker([&] {
        for (const Case& c : cases) reports.push_back(FaultReportOf(c.fault));
    });
    worker.join();

    ASSERT_EQ(reports.size(), std::size(cases));
    for (std::size_t i = 0; i < reports.size(); ++i) {
        const Report report(reports[i]);
        EXPECT_EQ(report.faultLine.rfind("fault_tests caused an " + cases[i].name + " in module ", 0),
                  0u)
            << report.faultLine;
        EXPECT_FALSE(report.stackLines.empty()) << reports[i];
        EXPECT_TRUE(Match(report.registers, kRegisterLines)) << reports[i];
    }
    // The overflow's innermost frames are the recursion; the walk stops
    // after a bounded number of them.
    const Report overflow(reports[4]);
    ASSERT_FALSE(overflow.stackLines.empty());
    EXPECT_NE(overflow.stackLines[0].find("Recurse"), std::string::npos) << overflow.stackLines[0];
    EXPECT_LE(overflow.stackLines.size(), 128u);
}

TEST(FaultReport, AnAddressOutsideEveryModuleEndsTheFaultLine) {
    const std::vector<std::string> lines = Lines(FaultReportOnWorker(CallOutsideEveryModule));
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[0],
              "fault_tests caused an EXCEPTION_ACCESS_VIOLATION in module <UNKNOWN> "
              "at 0033:0000000000000010");
    // Its frame lies in no module either, so the walk stops at once.
    EXPECT_EQ(lines[1].rfind("RAX=", 0), 0u) << lines[1];
}

TEST(FaultReport, ASymbolTooLongForTheLineIsCutWhereTheLineEnds) {
    const std::vector<std::string> lines = Lines(FaultReportOnWorker(FaultInLongNamedFunction));
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0].size(), 1023u);
    EXPECT_NE(lines[0].find(" in module fault_tests at 0033:"), std::string::npos);
    EXPECT_NE(lines[0].find(", kortest::(anonymous namespace)::LongNamed<std::tuple<"),
              std::string::npos);
    EXPECT_EQ(lines[1].size(), 1023u);  // the same frame's stack line
    EXPECT_TRUE(Match(lines[2], kStackLine)) << lines[2];
    EXPECT_LT(lines[2].size(), 1023u);
    for (const std::string& line : lines) EXPECT_LE(line.size(), 1023u);
}

TEST(FaultReport, ExceptionNamesOfSignalsAndCodes) {
    using Kor::ExceptionName;
    EXPECT_STREQ(ExceptionName(SIGSEGV, SEGV_MAPERR), "EXCEPTION_ACCESS_VIOLATION");
    EXPECT_STREQ(ExceptionName(SIGSEGV, SEGV_ACCERR), "EXCEPTION_ACCESS_VIOLATION");
    EXPECT_STREQ(ExceptionName(SIGSEGV, SEGV_MAPERR, true), "EXCEPTION_STACK_OVERFLOW");
    EXPECT_STREQ(ExceptionName(SIGSEGV, SEGV_BNDERR), "EXCEPTION_ARRAY_BOUNDS_EXCEEDED");
    EXPECT_STREQ(ExceptionName(SIGBUS, BUS_ADRALN), "EXCEPTION_DATATYPE_MISALIGNMENT");
    EXPECT_STREQ(ExceptionName(SIGBUS, BUS_ADRERR), "EXCEPTION_IN_PAGE_ERROR");
    EXPECT_STREQ(ExceptionName(SIGILL, ILL_ILLOPN), "EXCEPTION_ILLEGAL_INSTRUCTION");
    EXPECT_STREQ(ExceptionName(SIGILL, ILL_PRVOPC), "EXCEPTION_PRIV_INSTRUCTION");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_INTDIV), "EXCEPTION_INT_DIVIDE_BY_ZERO");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_INTOVF), "EXCEPTION_INT_OVERFLOW");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_FLTDIV), "EXCEPTION_FLT_DIVIDE_BY_ZERO");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_FLTOVF), "EXCEPTION_FLT_OVERFLOW");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_FLTUND), "EXCEPTION_FLT_UNDERFLOW");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_FLTRES), "EXCEPTION_FLT_INEXACT_RESULT");
    EXPECT_STREQ(ExceptionName(SIGFPE, FPE_FLTINV), "EXCEPTION_FLT_INVALID_OPERATION");
    EXPECT_STREQ(ExceptionName(SIGTRAP, SI_KERNEL), "EXCEPTION_BREAKPOINT");
    EXPECT_STREQ(ExceptionName(SIGTRAP, TRAP_TRACE), "EXCEPTION_SINGLE_STEP");
    EXPECT_STREQ(ExceptionName(SIGTRAP, TRAP_HWBKPT), "EXCEPTION_SINGLE_STEP");
    // Sent signals, and signals that are no processor fault, have no name.
    EXPECT_EQ(ExceptionName(SIGSEGV, SI_USER), nullptr);
    EXPECT_EQ(ExceptionName(SIGBUS, SI_TKILL), nullptr);
    EXPECT_EQ(ExceptionName(SIGBUS, SI_TKILL, true), nullptr);
    EXPECT_EQ(ExceptionName(SIGABRT, SI_TKILL), nullptr);
}

TEST(FaultReport, NoFaultInformationGivesAnEmptyReport) {
    EXPECT_EQ(Kor::BuildFaultReport(nullptr), "");
    EXPECT_EQ(Kor::GetFaultReport(), "");
}

}  // namespace
}  // namespace kortest
