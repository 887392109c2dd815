// libFuzzer target: read_image, the format taken from the first bytes, and
// with it the BMP reader.
#include "contour/read_image.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

void read_any(const std::string& file_name, img::bitmap& image, const img::read_options& options)
{
    image = img::read_image(file_name, options);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::run_reader(data, size, read_any);
}
