// Speed of the fitting engine on crack-edge outlines of digital discs.
#include <benchmark/benchmark.h>

#include <iostream>
#include <sstream>

#include "fitting/grand_poly_bezier_builder.h"
#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
#include "fitting/thread_pool.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;
typedef grand_poly_bezier_builder<unsigned short, float> grand_builder;

namespace {

// The whole-curve fit logs one line per call; keep it out of the figures.
struct silence_clog {
    std::ostringstream sink;
    silence_clog() { std::clog.rdbuf(sink.rdbuf()); }
} silence;

std::vector<node> doubled(const std::vector<node>& closed)
{
    std::vector<node> out(closed.begin(), closed.end() - 1);
    out.insert(out.end(), closed.begin(), closed.end() - 1);
    return out;
}

void estimate_fully(grand_builder& b)
{
    while (!b.fully_estimated()) b.estimation_step();
}

}  // namespace

// One piece fit with the estimation parameters, on a stretch of a disc outline.
static void BM_FitPiece(benchmark::State& state)
{
    const unsigned length = unsigned(state.range(0));
    const std::vector<node> poly = doubled(testing_polylines::disc(100));  // N = 800
    bezier_piece piece;
    polyline_samples samples;
    for (auto _ : state) benchmark::DoNotOptimize(fit_piece(poly, {5, 5 + length}, 1.0f, {10, 0.01f}, piece, samples));
}
BENCHMARK(BM_FitPiece)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);

// The same fit as an estimation step runs it: shared basis, the polyline
// converted once, the samples not wanted back.
static void BM_FitPieceWithBasis(benchmark::State& state)
{
    const unsigned length = unsigned(state.range(0));
    real_polyline poly;
    poly.assign(doubled(testing_polylines::disc(100)));
    piece_basis basis;
    basis.build(length, 1.0f);
    polyline_samples samples;
    for (auto _ : state) benchmark::DoNotOptimize(estimate_piece(poly, 5, basis, {10, 0.01f}, samples));
}
BENCHMARK(BM_FitPieceWithBasis)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond);

// One estimation step at half the outline's length: N fits of N/2 nodes.
static void BM_EstimationStep(benchmark::State& state)
{
    const std::vector<node> closed = testing_polylines::disc(unsigned(state.range(0)));
    grand_builder b;
    for (auto _ : state) {
        state.PauseTiming();
        b.reset(closed);
        b.set_params(grand_params<float>());
        while (b.estimated_length() < b.node_count() / 2) b.estimation_step();
        state.ResumeTiming();
        b.estimation_step();
    }
    state.counters["N"] = b.node_count();
}
BENCHMARK(BM_EstimationStep)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);

// A full build: estimation to the whole outline, search and render.
static void BM_FullBuild(benchmark::State& state)
{
    const std::vector<node> closed = testing_polylines::disc(unsigned(state.range(0)));
    unsigned n = 0;
    for (auto _ : state) {
        grand_builder b;
        b.reset(closed);
        b.set_params(grand_params<float>());
        estimate_fully(b);
        std::vector<real_point> curve;
        benchmark::DoNotOptimize(b.render(curve));
        n = b.node_count();
    }
    state.counters["N"] = n;
}
BENCHMARK(BM_FullBuild)->Arg(20)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond)->Iterations(1);

// What a parameter change costs: search and render on a fully estimated outline.
static void BM_SearchAndRender(benchmark::State& state)
{
    grand_builder b;
    b.reset(testing_polylines::disc(unsigned(state.range(0))));
    b.set_params(grand_params<float>());
    estimate_fully(b);
    for (auto _ : state) {
        std::vector<real_point> curve;
        benchmark::DoNotOptimize(b.render(curve));
    }
    state.counters["N"] = b.node_count();
}
BENCHMARK(BM_SearchAndRender)->Arg(40)->Arg(80)->Unit(benchmark::kMillisecond);

// The search alone.
static void BM_Search(benchmark::State& state)
{
    grand_builder b;
    b.reset(testing_polylines::disc(unsigned(state.range(0))));
    b.set_params(grand_params<float>());
    estimate_fully(b);
    for (auto _ : state) {
        std::vector<unsigned> junctions;
        benchmark::DoNotOptimize(b.find_junctions(junctions));
    }
}
BENCHMARK(BM_Search)->Arg(80)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("engine threads", std::to_string(thread_pool::shared().concurrency()));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
