// libFuzzer target: the netpbm reader.
#include "contour/read_pnm.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::run_reader(data, size, img::read_pnm);
}
