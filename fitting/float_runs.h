// Two sweeps over runs of floats that the free junction search makes for
// every layer entry, vectorised: the partial sums of the candidates with
// their minimum, and the first candidate at most a bound.
#pragma once

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace outline {

// partial[i] = rest[i] + first[i] for i < count; returns their minimum
// (infinity for count 0). Every sum is the one float addition the plain
// programme makes. Eight at a time, with AVX2 where the processor has it.
float sum_and_minimum(const float* rest, const float* first, unsigned count, float* partial);

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
