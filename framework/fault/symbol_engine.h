// Modules, symbols, source lines and the stack walk for the fault report, over
// elfutils' libdwfl. An engine knows the modules mapped into this process
// when it is made; debug information comes from the modules themselves or
// from separate debug files found by build id or beside the module, never
// over the network (a fault report does not wait for a server).
//
// Addresses come in two kinds: the address of the instruction that faulted,
// and return addresses of the frames further up. A return address is looked
// up one byte earlier, inside the call instruction, so that a call that ends
// its function (a call to a function that never returns) is not taken for
// the start of the next function; its displacements still count from the
// return address itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Dwfl;
struct Dwfl_Module;

namespace Kor {

struct FaultInfo;

class SymbolEngine {
public:
    struct Symbol {
        std::string name;  // demangled, without the parameter list
        std::uint64_t displacement;
    };
    struct SourceLine {
        std::string file;
        int line;
        std::uint64_t displacement;  // from the first address of the line
    };
    struct Frame {
        std::uint64_t pc;
        bool returnAddress;  // false for the faulting instruction itself
        std::uint64_t sp;    // the stack pointer in this frame; 0 when unknown
    };

    // Knows the modules mapped into this process now.
    SymbolEngine();
    // Knows no module: every look-up finds nothing.
    struct NoModules {};
    explicit SymbolEngine(NoModules) {}
    ~SymbolEngine();
    SymbolEngine(const SymbolEngine&) = delete;
    SymbolEngine& operator=(const SymbolEngine&) = delete;

    // The base name of the module holding `pc`; none when no module does.
    std::optional<std::string> ModuleName(std::uint64_t pc, bool returnAddress) const;
    std::optional<Symbol> SymbolAt(std::uint64_t pc, bool returnAddress) const;
    std::optional<SourceLine> LineAt(std::uint64_t pc, bool returnAddress) const;

    // Walks the faulting thread's stack from the saved registers through the
    // stack copy, innermost frame first, up to `maxFrames` frames. Call it
    // once per engine.
    std::vector<Frame> Walk(const FaultInfo& fault, std::size_t maxFrames);

private:
    Dwfl_Module* ModuleAt(std::uint64_t at) const;  // null when none holds it

    Dwfl* dwfl_ = nullptr;
};

// A module's file name without directory and extension; for shared objects
// the version after ".so" goes too ("/lib/libc.so.6" gives "libc").
std::string ModuleBaseName(const std::string& path);

}  // namespace Kor
