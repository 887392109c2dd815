#include "fitting/float_runs.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "fitting/avx2_lanes.h"

namespace outline {

namespace {

const float infinite = std::numeric_limits<float>::infinity();

typedef float float8 __attribute__((vector_size(32)));

__attribute__((always_inline)) inline float sum_and_minimum_of(const float* rest, const float* first, unsigned count,
                                                               float* partial)
{
    float8 low8 = {infinite, infinite, infinite, infinite, infinite, infinite, infinite, infinite};
    unsigned i = 0;
    for (; i + 8 <= count; i += 8) {
        float8 a, b;
        std::memcpy(&a, rest + i, sizeof a);
        std::memcpy(&b, first + i, sizeof b);
        const float8 sum = a + b;
        std::memcpy(partial + i, &sum, sizeof sum);
        low8 = sum < low8 ? sum : low8;
    }
    float low = infinite;
    for (int lane = 0; lane < 8; ++lane) low = std::min(low, low8[lane]);
    for (; i < count; ++i) {
        partial[i] = rest[i] + first[i];
        low = std::min(low, partial[i]);
    }
    return low;
}

#if defined(__x86_64__)
__attribute__((target("avx2"))) float sum_and_minimum_avx2(const float* rest, const float* first, unsigned count,
                                                           float* partial)
{
    return sum_and_minimum_of(rest, first, count, partial);
}
#endif

}  // namespace

// Chosen at run time. (A dispatch of our own rather than target_clones: the
// resolver that target_clones runs while the program is loaded crashes
// under ThreadSanitizer.)
float sum_and_minimum(const float* rest, const float* first, unsigned count, float* partial)
{
#if defined(__x86_64__)
    if (has_avx2()) return sum_and_minimum_avx2(rest, first, count, partial);
#endif
    return sum_and_minimum_of(rest, first, count, partial);
}

}  // namespace outline
