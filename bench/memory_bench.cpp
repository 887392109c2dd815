// Peak memory of the free estimation and junction search on crack-edge
// outlines of digital discs. Peak resident memory only ever grows within a
// process, so every case runs in a child process of its own and reports its
// getrusage() maximum back through a pipe.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <sstream>
#include <vector>

#include "fitting/grand_poly_bezier_builder.h"
#include "tests/fitting/test_polylines.h"

using namespace outline;
typedef grand_poly_bezier_builder<unsigned short, float> grand_builder;

namespace {

struct child_report {
    long peak_kb = 0;   // maximum resident set of the child
    long start_kb = 0;  // the same before the outline is made
    double estimation_seconds = 0;
    double search_seconds = 0;
    unsigned node_count = 0;
    float cost = 0;
};

double seconds_since(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

long peak_kb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

// Estimates the disc's outline up to `length` (0: the whole outline) and
// searches its junctions with the default parameters.
child_report run_case(unsigned radius, unsigned length)
{
    child_report r;
    r.start_kb = peak_kb();
    grand_builder b;
    b.reset(testing_polylines::disc(radius));
    b.set_params(grand_params<float>());
    r.node_count = b.node_count();
    const unsigned target = length ? std::min(length, r.node_count + 1) : r.node_count + 1;
    auto t = std::chrono::steady_clock::now();
    b.reserve_length(target);  // as the fitting session does
    while (b.estimated_length() < target) b.estimation_step();
    r.estimation_seconds = seconds_since(t);
    t = std::chrono::steady_clock::now();
    std::vector<unsigned> junctions;
    r.cost = b.find_junctions(junctions).cost;
    r.search_seconds = seconds_since(t);
    r.peak_kb = peak_kb();
    return r;
}

// Runs the case in a child: the engine's thread pool starts there, after the
// fork, so the child has all its threads.
bool run_in_child(unsigned radius, unsigned length, child_report& out)
{
    int fds[2];
    if (pipe(fds) != 0) return false;
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        close(fds[0]);
        const child_report r = run_case(radius, length);
        const ssize_t written = write(fds[1], &r, sizeof r);
        _exit(written == ssize_t(sizeof r) ? 0 : 1);
    }
    close(fds[1]);
    const ssize_t got = read(fds[0], &out, sizeof out);
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return got == ssize_t(sizeof out) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

// Arguments: disc radius (N = 8 r nodes), estimated length (0: the whole outline).
static void BM_PeakMemory(benchmark::State& state)
{
    const unsigned radius = unsigned(state.range(0)), length = unsigned(state.range(1));
    child_report r;
    for (auto _ : state) {
        if (!run_in_child(radius, length, r)) {
            state.SkipWithError("the child process failed");
            return;
        }
        state.SetIterationTime(r.estimation_seconds + r.search_seconds);
    }
    state.counters["N"] = r.node_count;
    state.counters["peak_MB"] = double(r.peak_kb) / 1024;
    state.counters["added_MB"] = double(r.peak_kb - r.start_kb) / 1024;
    state.counters["estimation_s"] = r.estimation_seconds;
    state.counters["search_s"] = r.search_seconds;
    state.counters["cost"] = r.cost;
}
BENCHMARK(BM_PeakMemory)
    ->Args({50, 0})
    ->Args({100, 0})
    ->Args({200, 0})
    ->Args({250, 160})
    ->Args({400, 300})
    ->Args({1250, 300})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
