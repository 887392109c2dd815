// Sweeps over runs of floats that the free junction search makes for every
// layer entry, vectorised: the partial sums of the candidates with their
// minimum, the first candidate at most a bound, and the cheapest candidate
// once its bend penalty is added; and the least bend penalty of a tangent
// against a run of tangents, for the search's lower bounds.
#pragma once

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace outline {

// partial[i] = rest[i] + first[i] for i < count; returns their minimum
// (infinity for count 0). Every sum is the one float addition the plain
// programme makes. Eight at a time, with AVX2 where the processor has it.
float sum_and_minimum(const float* rest, const float* first, unsigned count, float* partial);

// The candidates i < count whose partial[i] <= bound cost partial[i] plus
// bend_penalty(penalty, (ax[i], ay[i]), (bx[i], by[i])), each worked out
// with the float operations of bend_penalty in the same order. Returns the
// first of them with the least cost (count when there is none) and puts
// that cost in *least. For penalty > 0.
unsigned first_cheapest_bent(const float* partial, float bound, float penalty, const float* ax, const float* ay,
                             const float* bx, const float* by, unsigned count, float* least);

// The least of bend_penalty(penalty, (ax, ay), (bx[i], by[i])) over
// i < count (infinity for count 0). For penalty > 0.
float least_bend(float penalty, float ax, float ay, const float* bx, const float* by, unsigned count);

// The first i in [from, count) with value[i] <= x, or count; four values
// per step where the processor has SSE2. Inline: the search calls it in its
// innermost loop.
inline unsigned first_at_most(const float* value, unsigned from, unsigned count, float x)
{
    unsigned i = from;
#ifdef __SSE2__
    const __m128 limit = _mm_set1_ps(x);
    for (; i + 4 <= count; i += 4) {
        const int hits = _mm_movemask_ps(_mm_cmple_ps(_mm_loadu_ps(value + i), limit));
        if (hits) return i + unsigned(__builtin_ctz(unsigned(hits)));
    }
#endif
    for (; i < count; ++i)
        if (value[i] <= x) return i;
    return count;
}

}  // namespace outline
