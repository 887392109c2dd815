// The mask editor's flood fill on 4096 x 4096 masks: an empty mask filled
// whole (long spans), a one-pixel serpentine and a one-pixel square spiral
// (a corridor through the whole mask: the deepest region there is), and a
// random mask of 30 % set pixels (many short spans in one large region). Each run fills a
// fresh copy; the copy is not timed.
#include <benchmark/benchmark.h>

#include <random>

#include "contour/bitmap.h"
#include "framework/mask_editor/span_fill.h"

namespace {

constexpr unsigned side = 4096;

img::bitmap clear_mask()
{
    img::bitmap m(side, side, 4);
    m.fill(false);
    return m;
}

img::bitmap serpentine()
{
    img::bitmap m = clear_mask();
    m.fill(true);
    for (unsigned y = 0; y < side; y += 2) {
        for (unsigned x = 0; x < side; ++x) m.set(x, y, false);
        if (y + 1 < side) m.set((y / 2) % 2 ? 0 : side - 1, y + 1, false);
    }
    return m;
}

img::bitmap spiral()
{
    img::bitmap m = clear_mask();
    m.fill(true);
    long left = 0, top = 0, right = side - 1, bottom = side - 1;
    while (left <= right && top <= bottom) {
        for (long x = left; x <= right; ++x) m.set(unsigned(x), unsigned(top), false);
        for (long y = top; y <= bottom; ++y) m.set(unsigned(right), unsigned(y), false);
        if (top + 2 > bottom || left + 2 > right) break;
        for (long x = right; x >= left; --x) m.set(unsigned(x), unsigned(bottom), false);
        for (long y = bottom; y >= top + 2; --y) m.set(unsigned(left), unsigned(y), false);
        m.set(unsigned(left + 1), unsigned(top + 2), false);
        left += 2, top += 2, right -= 2, bottom -= 2;
    }
    return m;
}

img::bitmap random_mask()
{
    img::bitmap m = clear_mask();
    std::mt19937 rng(11);
    std::bernoulli_distribution set(0.3);
    for (unsigned y = 0; y < side; ++y)
        for (unsigned x = 0; x < side; ++x) m.set(x, y, set(rng));
    // A clear seed.
    m.set(0, 0, false);
    return m;
}

void run_fill(benchmark::State& state, const img::bitmap& original)
{
    std::uint64_t filled = 0;
    for (auto _ : state) {
        state.PauseTiming();
        img::bitmap m = original;
        state.ResumeTiming();
        filled = Kor::SpanFill(m, 0, 0, true);
        benchmark::DoNotOptimize(m.data());
    }
    state.counters["pixels"] = double(filled);
    state.SetItemsProcessed(std::int64_t(state.iterations() * filled));
}

void fill_empty(benchmark::State& state)
{
    run_fill(state, clear_mask());
}
void fill_serpentine(benchmark::State& state)
{
    run_fill(state, serpentine());
}
void fill_spiral(benchmark::State& state)
{
    run_fill(state, spiral());
}
void fill_random(benchmark::State& state)
{
    run_fill(state, random_mask());
}

}  // namespace

BENCHMARK(fill_empty)->Unit(benchmark::kMillisecond);
BENCHMARK(fill_serpentine)->Unit(benchmark::kMillisecond);
BENCHMARK(fill_spiral)->Unit(benchmark::kMillisecond);
BENCHMARK(fill_random)->Unit(benchmark::kMillisecond);
