#include "tests/fuzz/fuzz_input.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "contour/io_error.h"
#include "contour/trace_all_contours.h"

namespace fuzz {

namespace {

// The file every input is written to, removed when the fuzzer exits.
const std::string& input_path()
{
    static const std::string path = "/tmp/vexilo-fuzz-" + std::to_string(getpid());
    static const int removed_at_exit = std::atexit([] { std::remove(input_path().c_str()); });
    (void)removed_at_exit;
    return path;
}

void write_input(const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(input_path().c_str(), "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) std::abort();
}

// Boundary cracks of the image with clear pixels all round it.
std::uint64_t boundary_cracks(const img::bitmap& image)
{
    const std::int64_t w = image.width(), h = image.height();
    const auto pixel = [&](std::int64_t x, std::int64_t y) {
        return x >= 0 && y >= 0 && x < w && y < h && image.get(std::uint32_t(x), std::uint32_t(y));
    };
    std::uint64_t n = 0;
    for (std::int64_t y = 0; y <= h; ++y)
        for (std::int64_t x = 0; x <= w; ++x) n += (pixel(x - 1, y) != pixel(x, y)) + (pixel(x, y - 1) != pixel(x, y));
    return n;
}

void check_outlines(const img::bitmap& image)
{
    std::vector<img::contour> contours;
    img::trace_all_contours(image, contours);
    std::uint64_t steps = 0;
    for (const img::contour& c : contours) {
        if (c.size() < 5 || !img::is_closed(c)) std::abort();
        steps += c.size() - 1;
    }
    if (steps != boundary_cracks(image)) std::abort();
}

}  // namespace

int run_reader(const std::uint8_t* data, std::size_t size, reader read)
{
    write_input(data, size);
    // The last byte picks the options, so that inverting and thresholds are
    // fuzzed too.
    img::read_options options;
    if (size) {
        options.invert = data[size - 1] & 1;
        options.threshold = (data[size - 1] >> 1) / 127.0;
    }
    img::bitmap image(0, 0, 4);
    try {
        read(input_path(), image, options);
    } catch (const img::io_error&) {
        return 0;
    }
    // Large images read, but tracing them is slow for a fuzzer; images
    // wider or higher than the corners can express are not traced at all.
    const std::uint32_t w = image.width(), h = image.height();
    if (w <= img::max_traced_size && h <= img::max_traced_size && std::uint64_t(w) * h <= (1u << 20))
        check_outlines(image);
    return 0;
}

}  // namespace fuzz
