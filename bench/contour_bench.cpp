// Reading and tracing a large mask: read_bmp plus trace_contours on a
// square mask with a few large shapes (a disc, a ring, a rotated square and
// a triangle), drawn in memory and written to a temporary BMP file.
// The side is the argument; the complexity fit is over the pixel count.
// With the tests' PNG writer built, also read_image of the same mask as an
// 8-bit grey PNG plus trace_all_contours, every outline of the picture.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "contour/read_bmp.h"
#include "contour/read_image.h"
#include "contour/trace_all_contours.h"
#include "contour/trace_contours.h"
#include "contour/write_bmp.h"
#ifdef VEXILO_BENCH_PNG
#include "tests/contour/png_files.h"
#endif

namespace {

img::bitmap large_shapes(unsigned side)
{
    const double s = side;
    img::bitmap mask(side, side, 4);
    mask.fill(false);
    for (unsigned y = 0; y < side; ++y) {
        const double py = y + 0.5;
        for (unsigned x = 0; x < side; ++x) {
            const double px = x + 0.5;
            const double disc = std::hypot(px - 0.27 * s, py - 0.27 * s);
            const double ring = std::hypot(px - 0.73 * s, py - 0.3 * s);
            const double u = (px - 0.3 * s) + (py - 0.72 * s), v = (px - 0.3 * s) - (py - 0.72 * s);
            const bool rotated_square = std::fabs(u) < 0.25 * s && std::fabs(v) < 0.25 * s;
            const bool triangle = py > 0.55 * s && py < 0.95 * s && std::fabs(px - 0.74 * s) < (py - 0.55 * s) * 0.5;
            mask.set(x, y, disc < 0.2 * s || (ring < 0.2 * s && ring > 0.1 * s) || rotated_square || triangle);
        }
    }
    return mask;
}

// A temporary file of the mask, removed at the end of the run: a BMP, or
// with the extension "png" an 8-bit grey PNG (set pixels white).
class mask_file {
public:
    explicit mask_file(unsigned side, const char* extension = "bmp")
        : path_((std::filesystem::temp_directory_path() / ("vexilo-bench-" + std::to_string(side) + "." + extension))
                    .string())
    {
        const std::string bytes = encoded(large_shapes(side), extension);
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0)
            throw std::runtime_error("cannot write " + path_);
    }
    ~mask_file() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    static std::string encoded(const img::bitmap& mask, const std::string& extension)
    {
#ifdef VEXILO_BENCH_PNG
        if (extension == "png") {
            test_masks::png_picture picture;
            picture.width = mask.width();
            picture.height = mask.height();
            for (unsigned y = 0; y < mask.height(); ++y)
                for (unsigned x = 0; x < mask.width(); ++x)
                    picture.samples.push_back(mask.get(x, y) ? 255 : 0);
            return test_masks::encode_png(picture);
        }
#endif
        return img::encode_bmp(mask);
    }

    std::string path_;
};

void read_and_trace(benchmark::State& state)
{
    const unsigned side = unsigned(state.range(0));
    const mask_file file(side);
    std::size_t nodes = 0;
    for (auto _ : state) {
        img::bitmap image(0, 0, 4);
        img::read_bmp(file.path(), image);
        std::vector<img::contour> contours;
        img::trace_contours(image, contours);
        nodes = 0;
        for (const img::contour& c : contours)
            nodes += c.size();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = double(nodes);
    state.SetComplexityN(std::int64_t(side) * side);
}
BENCHMARK(read_and_trace)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);

void read_only(benchmark::State& state)
{
    const mask_file file(unsigned(state.range(0)));
    for (auto _ : state) {
        img::bitmap image(0, 0, 4);
        img::read_bmp(file.path(), image);
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(read_only)->Arg(2000)->Unit(benchmark::kMillisecond);

void trace_only(benchmark::State& state)
{
    const img::bitmap image = large_shapes(unsigned(state.range(0)));
    for (auto _ : state) {
        std::vector<img::contour> contours;
        img::trace_contours(image, contours);
        benchmark::DoNotOptimize(contours.data());
    }
}
BENCHMARK(trace_only)->Arg(2000)->Unit(benchmark::kMillisecond);

void trace_all_only(benchmark::State& state)
{
    const img::bitmap image = large_shapes(unsigned(state.range(0)));
    for (auto _ : state) {
        std::vector<img::contour> contours;
        img::trace_all_contours(image, contours);
        benchmark::DoNotOptimize(contours.data());
    }
}
BENCHMARK(trace_all_only)->Arg(2000)->Unit(benchmark::kMillisecond);

#ifdef VEXILO_BENCH_PNG

void read_png_and_trace_all(benchmark::State& state)
{
    const unsigned side = unsigned(state.range(0));
    const mask_file file(side, "png");
    std::size_t nodes = 0, outlines = 0;
    for (auto _ : state) {
        const img::bitmap image = img::read_image(file.path());
        std::vector<img::contour> contours;
        img::trace_all_contours(image, contours);
        nodes = 0;
        for (const img::contour& c : contours)
            nodes += c.size();
        outlines = contours.size();
        benchmark::DoNotOptimize(nodes);
    }
    state.counters["nodes"] = double(nodes);
    state.counters["outlines"] = double(outlines);
    state.SetComplexityN(std::int64_t(side) * side);
}
BENCHMARK(read_png_and_trace_all)
    ->Arg(500)
    ->Arg(1000)
    ->Arg(2000)
    ->Arg(4000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void read_png_only(benchmark::State& state)
{
    const mask_file file(unsigned(state.range(0)), "png");
    for (auto _ : state) {
        const img::bitmap image = img::read_image(file.path());
        benchmark::DoNotOptimize(image.data());
    }
}
BENCHMARK(read_png_only)->Arg(2000)->Unit(benchmark::kMillisecond);

#endif

}  // namespace
