#include "fitting/float_runs.h"

#include <algorithm>
#include <cstring>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "fitting/avx2_lanes.h"
#include "fitting/bend_penalty.h"

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

// bend_penalty for eight pairs of tangents at once, operation for operation.
__attribute__((always_inline)) inline void bends_of(float penalty, const float8& ax, const float8& ay, const float8& bx,
                                                    const float8& by, float8& bend)
{
    const float8 dot = ax * bx + ay * by;
    const float8 q = by * ax - ay * bx;
    const float8 turned = penalty * q * q / ((ax * ax + ay * ay) * (bx * bx + by * by));
    const float8 flat = {penalty, penalty, penalty, penalty, penalty, penalty, penalty, penalty};
    bend = dot >= 0 ? flat : turned;
}

unsigned first_cheapest_bent_plain(const float* partial, float bound, float penalty, const float* ax, const float* ay,
                                   const float* bx, const float* by, unsigned count, float* least)
{
    unsigned chosen = count;
    float chosen_cost = infinite;
    for (unsigned i = 0; i < count; ++i) {
        if (!(partial[i] <= bound)) continue;
        const float cost = partial[i] + bend_penalty(penalty, real_vector{ax[i], ay[i]}, real_vector{bx[i], by[i]});
        if (chosen == count || cost < chosen_cost) {
            chosen = i;
            chosen_cost = cost;
        }
    }
    *least = chosen_cost;
    return chosen;
}

__attribute__((always_inline)) inline float least_bend_of(float penalty, float ax, float ay, const float* bx,
                                                          const float* by, unsigned count)
{
    const float8 x1 = {ax, ax, ax, ax, ax, ax, ax, ax}, y1 = {ay, ay, ay, ay, ay, ay, ay, ay};
    float8 low8 = {infinite, infinite, infinite, infinite, infinite, infinite, infinite, infinite};
    unsigned i = 0;
    for (; i + 8 <= count; i += 8) {
        float8 x2, y2;
        std::memcpy(&x2, bx + i, sizeof x2);
        std::memcpy(&y2, by + i, sizeof y2);
        float8 bend;
        bends_of(penalty, x1, y1, x2, y2, bend);
        low8 = bend < low8 ? bend : low8;
    }
    float low = infinite;
    for (int lane = 0; lane < 8; ++lane) low = std::min(low, low8[lane]);
    for (; i < count; ++i) low = std::min(low, bend_penalty(penalty, real_vector{ax, ay}, real_vector{bx[i], by[i]}));
    return low;
}

#if defined(__x86_64__)
// Eight candidates at a time; each lane keeps the least cost it has met and
// the first candidate that had it, so the first candidate with the least
// cost overall is, among the lanes holding that cost, the one met first.
__attribute__((target("avx2"))) unsigned first_cheapest_bent_avx2(const float* partial, float bound, float penalty,
                                                                  const float* ax, const float* ay, const float* bx,
                                                                  const float* by, unsigned count, float* least)
{
    const __m256 limit = _mm256_set1_ps(bound), flat = _mm256_set1_ps(penalty), zero = _mm256_setzero_ps();
    __m256 best = _mm256_set1_ps(infinite);
    __m256i best_at = _mm256_set1_epi32(-1);
    __m256i at = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i step = _mm256_set1_epi32(8);
    unsigned i = 0;
    for (; i + 8 <= count; i += 8, at = _mm256_add_epi32(at, step)) {
        const __m256 p = _mm256_loadu_ps(partial + i);
        const __m256 in_play = _mm256_cmp_ps(p, limit, _CMP_LE_OQ);
        if (!_mm256_movemask_ps(in_play)) continue;
        const __m256 x1 = _mm256_loadu_ps(ax + i), y1 = _mm256_loadu_ps(ay + i);
        const __m256 x2 = _mm256_loadu_ps(bx + i), y2 = _mm256_loadu_ps(by + i);
        // bend_penalty, operation for operation.
        const __m256 dot = _mm256_add_ps(_mm256_mul_ps(x1, x2), _mm256_mul_ps(y1, y2));
        const __m256 q = _mm256_sub_ps(_mm256_mul_ps(y2, x1), _mm256_mul_ps(y1, x2));
        const __m256 turned = _mm256_div_ps(_mm256_mul_ps(_mm256_mul_ps(flat, q), q),
                                            _mm256_mul_ps(_mm256_add_ps(_mm256_mul_ps(x1, x1), _mm256_mul_ps(y1, y1)),
                                                          _mm256_add_ps(_mm256_mul_ps(x2, x2), _mm256_mul_ps(y2, y2))));
        const __m256 bend = _mm256_blendv_ps(turned, flat, _mm256_cmp_ps(dot, zero, _CMP_GE_OQ));
        const __m256 cost = _mm256_add_ps(p, bend);
        const __m256 better = _mm256_and_ps(in_play, _mm256_cmp_ps(cost, best, _CMP_LT_OQ));
        best = _mm256_blendv_ps(best, cost, better);
        best_at = _mm256_castps_si256(_mm256_blendv_ps(_mm256_castsi256_ps(best_at), _mm256_castsi256_ps(at), better));
    }
    alignas(32) float lane_cost[8];
    alignas(32) int lane_at[8];
    _mm256_store_ps(lane_cost, best);
    _mm256_store_si256(reinterpret_cast<__m256i*>(lane_at), best_at);
    unsigned chosen = count;
    float chosen_cost = infinite;
    for (int lane = 0; lane < 8; ++lane) {
        if (lane_at[lane] < 0) continue;
        if (chosen == count || lane_cost[lane] < chosen_cost ||
            (lane_cost[lane] == chosen_cost && unsigned(lane_at[lane]) < chosen)) {
            chosen = unsigned(lane_at[lane]);
            chosen_cost = lane_cost[lane];
        }
    }
    for (; i < count; ++i) {
        if (!(partial[i] <= bound)) continue;
        const float cost = partial[i] + bend_penalty(penalty, real_vector{ax[i], ay[i]}, real_vector{bx[i], by[i]});
        if (cost < chosen_cost) {
            chosen = i;
            chosen_cost = cost;
        }
    }
    if (chosen == count) {
        // Nothing cheaper than infinity: the plain scan keeps the first
        // candidate in play, whatever its cost.
        for (i = 0; i < count; ++i) {
            if (partial[i] <= bound) {
                *least = partial[i] + bend_penalty(penalty, real_vector{ax[i], ay[i]}, real_vector{bx[i], by[i]});
                return i;
            }
        }
    }
    *least = chosen_cost;
    return chosen;
}

__attribute__((target("avx2"))) float least_bend_avx2(float penalty, float ax, float ay, const float* bx,
                                                      const float* by, unsigned count)
{
    return least_bend_of(penalty, ax, ay, bx, by, count);
}

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

unsigned first_cheapest_bent(const float* partial, float bound, float penalty, const float* ax, const float* ay,
                             const float* bx, const float* by, unsigned count, float* least)
{
#if defined(__x86_64__)
    if (has_avx2()) return first_cheapest_bent_avx2(partial, bound, penalty, ax, ay, bx, by, count, least);
#endif
    return first_cheapest_bent_plain(partial, bound, penalty, ax, ay, bx, by, count, least);
}

float least_bend(float penalty, float ax, float ay, const float* bx, const float* by, unsigned count)
{
#if defined(__x86_64__)
    if (has_avx2()) return least_bend_avx2(penalty, ax, ay, bx, by, count);
#endif
    return least_bend_of(penalty, ax, ay, bx, by, count);
}

}  // namespace outline
