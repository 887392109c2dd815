#include "framework/fault/symbol_engine.h"

#include "framework/fault/fault_info.h"

#include <cxxabi.h>
#include <elfutils/libdwfl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace Kor {

namespace {

char* g_debuginfoPath = nullptr;  // libdwfl's default search path

// Separate debug files by build id first (the usual place of distribution
// debug packages). The standard search also looks beside the module through
// its debug link, but it asks a debuginfod server as well when
// DEBUGINFOD_URLS names one: a fault report must not hang on the network, so
// then it is left out.
int FindDebuginfo(Dwfl_Module* module, void** userdata, const char* moduleName, Dwarf_Addr base,
                  const char* file, const char* debugLink, GElf_Word crc, char** debugFile) {
    int fd = dwfl_build_id_find_debuginfo(module, userdata, moduleName, base, file, debugLink,
                                          crc, debugFile);
    if (fd >= 0) return fd;
    const char* servers = std::getenv("DEBUGINFOD_URLS");
    if (servers != nullptr && *servers != '\0') return -1;
    return dwfl_standard_find_debuginfo(module, userdata, moduleName, base, file, debugLink, crc,
                                        debugFile);
}

const Dwfl_Callbacks kCallbacks = {
    dwfl_linux_proc_find_elf,
    FindDebuginfo,
    nullptr,  // section addresses: only for kernel modules
    &g_debuginfoPath,
};

// The one thread the walk knows: the faulting one, frozen in the FaultInfo.
struct WalkState {
    const FaultInfo* fault;
    std::vector<SymbolEngine::Frame> frames;
    std::size_t maxFrames;
};

pid_t NextThread(Dwfl*, void* arg, void** threadArg) {
    if (*threadArg != nullptr) return 0;  // no more threads
    *threadArg = arg;
    return static_cast<WalkState*>(arg)->fault->thread;
}

bool GetThread(Dwfl*, pid_t tid, void* arg, void** threadArg) {
    if (tid != static_cast<WalkState*>(arg)->fault->thread) return false;
    *threadArg = arg;
    return true;
}

// Reads go to the stack copy only: the live stack below the guard has been
// reused since the fault, and memory elsewhere may not be readable at all.
bool ReadMemory(Dwfl*, Dwarf_Addr at, Dwarf_Word* result, void* arg) {
    std::uint64_t word = 0;
    if (!static_cast<WalkState*>(arg)->fault->StackWord(at, word)) return false;
    *result = word;
    return true;
}

bool SetInitialRegisters(Dwfl_Thread* thread, void* threadArg) {
    const FaultRegisters& r = static_cast<WalkState*>(threadArg)->fault->registers;
    // DWARF register numbers of x86-64: rax, rdx, rcx, rbx, rsi, rdi, rbp,
    // rsp, r8 to r15, and 16 the return address (the program counter).
    const Dwarf_Word registers[17] = {r.rax, r.rdx, r.rcx, r.rbx, r.rsi, r.rdi,
                                      r.rbp, r.rsp, r.r8,  r.r9,  r.r10, r.r11,
                                      r.r12, r.r13, r.r14, r.r15, r.rip};
    return dwfl_thread_state_registers(thread, 0, 17, registers);
}

const Dwfl_Thread_Callbacks kThreadCallbacks = {
    NextThread, GetThread, ReadMemory, SetInitialRegisters, nullptr, nullptr,
};

int OnFrame(Dwfl_Frame* frame, void* arg) {
    auto* walk = static_cast<WalkState*>(arg);
    Dwarf_Addr pc = 0;
    bool activation = false;
    if (!dwfl_frame_pc(frame, &pc, &activation)) return DWARF_CB_ABORT;
    Dwarf_Word sp = 0;
    if (dwfl_frame_reg(frame, 7, &sp) != 0) sp = 0;
    walk->frames.push_back({pc, !activation, sp});
    return walk->frames.size() < walk->maxFrames ? DWARF_CB_OK : DWARF_CB_ABORT;
}

// A demangled function name ends in its parameter list, possibly followed by
// qualifiers (" const", " &") and clone notes (" [clone .cold]"). The report
// writes "name()", so the list goes; clone notes stay. Names that do not end
// that way are kept whole.
std::string WithoutParameters(std::string name) {
    std::string clones;
    for (std::size_t at; !name.empty() && name.back() == ']' &&
                         (at = name.rfind(" [clone ")) != std::string::npos;) {
        clones.insert(0, name, at, std::string::npos);
        name.erase(at);
    }
    const std::size_t close = name.rfind(')');
    const bool qualifiersOnly =
        close != std::string::npos &&
        std::all_of(name.begin() + close + 1, name.end(), [](char c) {
            return c == ' ' || c == '&' || (c >= 'a' && c <= 'z');
        });
    if (!qualifiersOnly) return name + clones;
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        if (name[i] == ')') ++depth;
        else if (name[i] == '(' && --depth == 0) return name.erase(i) + clones;
    }
    return name + clones;
}

std::string Demangled(const char* name) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> text(abi::__cxa_demangle(name, nullptr, nullptr, &status),
                                                std::free);
    if (status != 0 || !text) return name;
    return WithoutParameters(text.get());
}

std::uint64_t LookupAddress(std::uint64_t pc, bool returnAddress) {
    return returnAddress && pc > 0 ? pc - 1 : pc;
}

}  // namespace

SymbolEngine::SymbolEngine() {
    dwfl_ = dwfl_begin(&kCallbacks);
    if (dwfl_ == nullptr) return;
    dwfl_report_begin(dwfl_);
    const int failed = dwfl_linux_proc_report(dwfl_, getpid());
    dwfl_report_end(dwfl_, nullptr, nullptr);
    if (failed != 0) {
        dwfl_end(dwfl_);
        dwfl_ = nullptr;
    }
}

SymbolEngine::~SymbolEngine() {
    if (dwfl_ != nullptr) dwfl_end(dwfl_);
}

Dwfl_Module* SymbolEngine::ModuleAt(std::uint64_t at) const {
    return dwfl_ != nullptr ? dwfl_addrmodule(dwfl_, at) : nullptr;
}

std::optional<std::string> SymbolEngine::ModuleName(std::uint64_t pc, bool returnAddress) const {
    Dwfl_Module* module = ModuleAt(LookupAddress(pc, returnAddress));
    if (module == nullptr) return std::nullopt;
    const char* name =
        dwfl_module_info(module, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    if (name == nullptr) return std::nullopt;
    return ModuleBaseName(name);
}

std::optional<SymbolEngine::Symbol> SymbolEngine::SymbolAt(std::uint64_t pc,
                                                           bool returnAddress) const {
    const std::uint64_t at = LookupAddress(pc, returnAddress);
    Dwfl_Module* module = ModuleAt(at);
    if (module == nullptr) return std::nullopt;
    GElf_Off offset = 0;
    GElf_Sym symbol;
    const char* name =
        dwfl_module_addrinfo(module, at, &offset, &symbol, nullptr, nullptr, nullptr);
    if (name == nullptr || *name == '\0') return std::nullopt;
    return Symbol{Demangled(name), offset + (pc - at)};
}

std::optional<SymbolEngine::SourceLine> SymbolEngine::LineAt(std::uint64_t pc,
                                                             bool returnAddress) const {
    const std::uint64_t at = LookupAddress(pc, returnAddress);
    Dwfl_Module* module = ModuleAt(at);
    if (module == nullptr) return std::nullopt;
    Dwfl_Line* line = dwfl_module_getsrc(module, at);
    if (line == nullptr) return std::nullopt;
    Dwarf_Addr start = 0;
    int number = 0;
    const char* file = dwfl_lineinfo(line, &start, &number, nullptr, nullptr, nullptr);
    if (file == nullptr || start > at) return std::nullopt;
    return SourceLine{file, number, pc - start};
}

std::vector<SymbolEngine::Frame> SymbolEngine::Walk(const FaultInfo& fault, std::size_t maxFrames) {
    WalkState walk{&fault, {}, maxFrames};
    if (dwfl_ == nullptr || maxFrames == 0) return {};
    if (!dwfl_attach_state(dwfl_, nullptr, getpid(), &kThreadCallbacks, &walk)) return {};
    // A walk that ends in an error (no unwind information, a word outside the
    // stack copy) still leaves the frames found up to there.
    dwfl_getthread_frames(dwfl_, fault.thread, OnFrame, &walk);
    return std::move(walk.frames);
}

std::string ModuleBaseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    if (!name.empty() && name.front() == '[') {  // "[vdso: 1234]" and the like
        const std::size_t colon = name.find(':');
        if (colon != std::string::npos) name = name.substr(0, colon) + "]";
        return name;
    }
    for (std::size_t so = name.find(".so"); so != std::string::npos; so = name.find(".so", so + 1)) {
        if (so > 0 && (so + 3 == name.size() || name[so + 3] == '.')) return name.substr(0, so);
    }
    const std::size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

}  // namespace Kor
