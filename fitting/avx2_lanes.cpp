#include "fitting/avx2_lanes.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "fitting/inner_controls.h"

namespace outline {

namespace {

// The pull of eight samples at once. Each lane performs the float operations
// of pull_sample in the same order, but every outcome is computed (the crossings with
// both neighbouring segments, the snaps, the midpoints) and the one that the
// branches would have taken is selected: the branches of the pull go either
// way about equally often, and mispredicting them cost more than all the
// arithmetic. Lanes set in `idle` are left as they are. `x`, `y`, `kinds` and
// `nodes` hold the eight samples and their positions; `base` is the x of node
// 0 of a polyline with a spare point before its first node and two after its
// last, so that nodes k - 1 .. k + 2 of any lane can be loaded at once.
__attribute__((target("avx2"), always_inline)) inline void pull_lanes(const float* base, unsigned first, unsigned end,
                                                                      __m256i idle, __m256 bx, __m256 by, __m256 dbx,
                                                                      __m256 dby, float* x, float* y, int* kinds,
                                                                      int* nodes)
{
    const __m256 eps = _mm256_set1_ps(std::numeric_limits<float>::epsilon());
    const __m256 magnitude = _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff));
    const __m256 sign = _mm256_castsi256_ps(_mm256_set1_epi32(int(0x80000000u)));
    const __m256 zero = _mm256_setzero_ps(), one = _mm256_set1_ps(1.0f), half = _mm256_set1_ps(0.5f);
    const __m256i one_i = _mm256_set1_epi32(1), all = _mm256_set1_epi32(-1);

    // The normal (B'.y, -B'.x).
    const __m256 nx = dby, ny = _mm256_xor_ps(dbx, sign);

    const __m256i k = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(nodes));
    const __m256i kind = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kinds));
    const __m256i has_prev = _mm256_cmpgt_epi32(k, _mm256_set1_epi32(int(first)));
    const __m256i has_next = _mm256_cmpgt_epi32(_mm256_set1_epi32(int(end)), _mm256_add_epi32(k, one_i));

    // Nodes k - 1, k and k + 1 of each lane, loaded as one row per lane and
    // turned into one register per coordinate; neighbours outside the piece
    // may be read but are never used. The row addresses take the node
    // indices from memory, not out of the register: that keeps a store and
    // reload off each step's chain of dependencies, which bounds the sweep.
    const int* const ks = nodes;
    const __m256 r0 = _mm256_loadu_ps(base + 2 * ks[0] - 2), r1 = _mm256_loadu_ps(base + 2 * ks[1] - 2);
    const __m256 r2 = _mm256_loadu_ps(base + 2 * ks[2] - 2), r3 = _mm256_loadu_ps(base + 2 * ks[3] - 2);
    const __m256 r4 = _mm256_loadu_ps(base + 2 * ks[4] - 2), r5 = _mm256_loadu_ps(base + 2 * ks[5] - 2);
    const __m256 r6 = _mm256_loadu_ps(base + 2 * ks[6] - 2), r7 = _mm256_loadu_ps(base + 2 * ks[7] - 2);
    const __m256 t0 = _mm256_unpacklo_ps(r0, r1), t1 = _mm256_unpackhi_ps(r0, r1);
    const __m256 t2 = _mm256_unpacklo_ps(r2, r3), t3 = _mm256_unpackhi_ps(r2, r3);
    const __m256 t4 = _mm256_unpacklo_ps(r4, r5), t5 = _mm256_unpackhi_ps(r4, r5);
    const __m256 t6 = _mm256_unpacklo_ps(r6, r7), t7 = _mm256_unpackhi_ps(r6, r7);
    const __m256 u0 = _mm256_shuffle_ps(t0, t2, 0x44), u1 = _mm256_shuffle_ps(t0, t2, 0xee);
    const __m256 u2 = _mm256_shuffle_ps(t1, t3, 0x44), u3 = _mm256_shuffle_ps(t1, t3, 0xee);
    const __m256 u4 = _mm256_shuffle_ps(t4, t6, 0x44), u5 = _mm256_shuffle_ps(t4, t6, 0xee);
    const __m256 u6 = _mm256_shuffle_ps(t5, t7, 0x44), u7 = _mm256_shuffle_ps(t5, t7, 0xee);
    const __m256 px = _mm256_permute2f128_ps(u0, u4, 0x20), cx = _mm256_permute2f128_ps(u0, u4, 0x31);
    const __m256 py = _mm256_permute2f128_ps(u1, u5, 0x20), cy = _mm256_permute2f128_ps(u1, u5, 0x31);
    const __m256 ax = _mm256_permute2f128_ps(u2, u6, 0x20), ay = _mm256_permute2f128_ps(u3, u7, 0x20);

    // Crossings with the next segment (d = node k+1 - node k) and the previous
    // one (d = node k-1 - node k); both share B - node k.
    const __m256 abx = _mm256_sub_ps(bx, ax), aby = _mm256_sub_ps(by, ay);
    const __m256 num = _mm256_sub_ps(_mm256_mul_ps(aby, nx), _mm256_mul_ps(abx, ny));
    const __m256 dnx = _mm256_sub_ps(cx, ax), dny = _mm256_sub_ps(cy, ay);
    const __m256 den_n = _mm256_sub_ps(_mm256_mul_ps(dny, nx), _mm256_mul_ps(ny, dnx));
    const __m256 ok_n = _mm256_cmp_ps(_mm256_and_ps(den_n, magnitude), eps, _CMP_NLT_UQ);
    const __m256 s_n = _mm256_div_ps(num, den_n);
    const __m256 dpx = _mm256_sub_ps(px, ax), dpy = _mm256_sub_ps(py, ay);
    const __m256 den_p = _mm256_sub_ps(_mm256_mul_ps(dpy, nx), _mm256_mul_ps(ny, dpx));
    const __m256 ok_p = _mm256_cmp_ps(_mm256_and_ps(den_p, magnitude), eps, _CMP_NLT_UQ);
    const __m256 s_p = _mm256_div_ps(num, den_p);

    // On a segment: inside it, or snapped to either end node.
    const __m256 qnx = _mm256_add_ps(ax, _mm256_mul_ps(s_n, dnx));
    const __m256 qny = _mm256_add_ps(ay, _mm256_mul_ps(s_n, dny));
    const __m256 low = _mm256_cmp_ps(s_n, zero, _CMP_LE_OQ);
    const __m256 high = _mm256_cmp_ps(s_n, one, _CMP_GE_OQ);
    __m256 on_x = _mm256_blendv_ps(qnx, ax, low), on_y = _mm256_blendv_ps(qny, ay, low);
    on_x = _mm256_blendv_ps(on_x, _mm256_add_ps(ax, dnx), high);
    on_y = _mm256_blendv_ps(on_y, _mm256_add_ps(ay, dny), high);
    const __m256i snapped = _mm256_castps_si256(_mm256_or_ps(low, high));
    const __m256i on_node = _mm256_sub_epi32(k, _mm256_castps_si256(high));  // k + 1 when high

    // At a node: the nearer valid crossing, ties to the previous segment.
    const __m256 prev_ok =
        _mm256_and_ps(_mm256_and_ps(_mm256_castsi256_ps(has_prev), ok_p), _mm256_cmp_ps(s_p, zero, _CMP_GT_OQ));
    const __m256 next_ok =
        _mm256_and_ps(_mm256_and_ps(_mm256_castsi256_ps(has_next), ok_n), _mm256_cmp_ps(s_n, zero, _CMP_GT_OQ));
    const __m256 qpx = _mm256_add_ps(ax, _mm256_mul_ps(s_p, dpx));
    const __m256 qpy = _mm256_add_ps(ay, _mm256_mul_ps(s_p, dpy));
    const __m256 fnx = _mm256_sub_ps(qnx, bx), fny = _mm256_sub_ps(qny, by);
    const __m256 fpx = _mm256_sub_ps(qpx, bx), fpy = _mm256_sub_ps(qpy, by);
    const __m256 dist_n = _mm256_add_ps(_mm256_mul_ps(fnx, fnx), _mm256_mul_ps(fny, fny));
    const __m256 dist_p = _mm256_add_ps(_mm256_mul_ps(fpx, fpx), _mm256_mul_ps(fpy, fpy));
    const __m256 take_next = _mm256_and_ps(next_ok, _mm256_or_ps(_mm256_andnot_ps(prev_ok, _mm256_castsi256_ps(all)),
                                                                 _mm256_cmp_ps(dist_n, dist_p, _CMP_LT_OQ)));
    const __m256 next_within = _mm256_cmp_ps(s_n, one, _CMP_LE_OQ);
    const __m256 prev_within = _mm256_cmp_ps(s_p, one, _CMP_LE_OQ);
    const __m256 nxx = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(ax, cx), half), qnx, next_within);
    const __m256 nxy = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(ay, cy), half), qny, next_within);
    const __m256 pvx = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(px, ax), half), qpx, prev_within);
    const __m256 pvy = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(py, ay), half), qpy, prev_within);
    const __m256 at_x = _mm256_blendv_ps(pvx, nxx, take_next), at_y = _mm256_blendv_ps(pvy, nxy, take_next);
    const __m256i at_node =
        _mm256_add_epi32(k, _mm256_andnot_si256(_mm256_castps_si256(take_next), all));  // k - 1 unless next

    // Which lanes move, and how: a segment sample when its segment is crossed,
    // a node sample when either neighbour is.
    const __m256i segment = _mm256_cmpeq_epi32(kind, one_i);
    const __m256i move_on = _mm256_andnot_si256(idle, _mm256_and_si256(segment, _mm256_castps_si256(ok_n)));
    const __m256i move_at =
        _mm256_andnot_si256(idle, _mm256_andnot_si256(segment, _mm256_castps_si256(_mm256_or_ps(prev_ok, next_ok))));
    __m256 nx_ = _mm256_loadu_ps(x), ny_ = _mm256_loadu_ps(y);
    nx_ =
        _mm256_blendv_ps(_mm256_blendv_ps(nx_, on_x, _mm256_castsi256_ps(move_on)), at_x, _mm256_castsi256_ps(move_at));
    ny_ =
        _mm256_blendv_ps(_mm256_blendv_ps(ny_, on_y, _mm256_castsi256_ps(move_on)), at_y, _mm256_castsi256_ps(move_at));
    const __m256i nk = _mm256_blendv_epi8(_mm256_blendv_epi8(k, on_node, move_on), at_node, move_at);
    const __m256i nkind =
        _mm256_blendv_epi8(_mm256_blendv_epi8(kind, _mm256_andnot_si256(snapped, one_i), move_on), one_i, move_at);
    _mm256_storeu_ps(x, nx_);
    _mm256_storeu_ps(y, ny_);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(nodes), nk);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(kinds), nkind);
}

// The least-squares sums of the inner samples x[1 .. M-2], y[1 .. M-2] from
// zero, two samples (x, y, x, y) per register, each sum still added to in
// sample order.
__attribute__((target("avx2"), always_inline)) inline void add_samples_wide(inner_sums& sums, const float* x,
                                                                            const float* y, const piece_basis& basis)
{
    const unsigned m = basis.samples;
    const size_t stride = basis.stride;
    const double* const pair = basis.pairs.data();
    const __m256d start = _mm256_setr_pd(sums.start[0], sums.start[1], sums.start[0], sums.start[1]);
    const __m256d end = _mm256_setr_pd(sums.end[0], sums.end[1], sums.end[0], sums.end[1]);
    __m128d c1 = _mm_setzero_pd(), c2 = _mm_setzero_pd(), q = _mm_setzero_pd();
    unsigned j = 1;
    for (; j + 2 < m; j += 2) {
        const __m128 xy = _mm_unpacklo_ps(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(x + j))),
                                          _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y + j))));
        const double* w = pair + 2 * j;  // alpha, beta, u^3, t^3 rows, 2 * stride apart
        const __m256d r =
            _mm256_sub_pd(_mm256_sub_pd(_mm256_cvtps_pd(xy), _mm256_mul_pd(_mm256_loadu_pd(w + 4 * stride), start)),
                          _mm256_mul_pd(_mm256_loadu_pd(w + 6 * stride), end));
        const __m256d t1 = _mm256_mul_pd(_mm256_loadu_pd(w), r);
        const __m256d t2 = _mm256_mul_pd(_mm256_loadu_pd(w + 2 * stride), r);
        const __m256d tq = _mm256_mul_pd(r, r);
        c1 = _mm_add_pd(_mm_add_pd(c1, _mm256_castpd256_pd128(t1)), _mm256_extractf128_pd(t1, 1));
        c2 = _mm_add_pd(_mm_add_pd(c2, _mm256_castpd256_pd128(t2)), _mm256_extractf128_pd(t2, 1));
        q = _mm_add_pd(_mm_add_pd(q, _mm256_castpd256_pd128(tq)), _mm256_extractf128_pd(tq, 1));
    }
    _mm_storeu_pd(&sums.c1[0], c1);
    _mm_storeu_pd(&sums.c2[0], c2);
    _mm_storeu_pd(&sums.q[0], q);
    if (j + 1 < m) sums.add(basis.inner[j], real_point{x[j], y[j]});
}

// Scratch of the eight-sample sweeps, one set per thread: the samples and
// their positions split into one array per field.
struct wide_scratch {
    std::vector<float> x, y;
    std::vector<int> kind, node;
    void size(unsigned n)
    {
        if (x.size() < n) {
            x.resize(n);
            y.resize(n);
            kind.resize(n);
            node.resize(n);
        }
    }
    void trim()
    {
        if (x.size() > (1u << 16)) *this = wide_scratch();
    }
    static wide_scratch& get()
    {
        static thread_local wide_scratch s;
        return s;
    }
};

}  // namespace

// The plain sweep's fit, eight samples per step: each lane evaluates the
// curve as the plain sweep does and pulls as pull_lanes says; the sums keep
// their sample order. Same bits as the plain sweep, 1.6 to 1.8 times faster.
__attribute__((target("avx2"))) float fit_piece_avx2(const real_point* polyline, unsigned a, const piece_basis& basis,
                                                     const fit_limits& limits, bezier_piece& piece,
                                                     polyline_samples* wanted)
{
    const unsigned max_iterations = limits.max_iterations;
    const bool samples_wanted = wanted != nullptr;
    const unsigned length = basis.length, m = basis.samples, b = a + length;
    first_controls(piece, real_nodes{polyline}, a, length);

    wide_scratch& w = wide_scratch::get();
    w.size(basis.stride);
    float* const sx = w.x.data();
    float* const sy = w.y.data();
    int* const kinds = w.kind.data();
    int* const nodes = w.node.data();
    // The first samples, eight at a time as in the plain sweep: s = j step (L - 1)
    // + a, on segment k = s truncated (at most b - 2, which rounding can
    // reach at extreme oversampling), at node k + (node k+1 - node k)(s - k).
    const float* const base = &polyline[0].x;
    const __m256 first = _mm256_set1_ps(float(a));
    const __m256i last_segment = _mm256_set1_epi32(int(b - 2));
    for (unsigned j = 1; j + 1 < m; j += 8) {
        const __m256 s = _mm256_add_ps(_mm256_loadu_ps(basis.spread.data() + j), first);
        const __m256i k = _mm256_min_epi32(_mm256_cvttps_epi32(s), last_segment);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(nodes + j), k);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(kinds + j), _mm256_set1_epi32(1));
        // Nodes k and k + 1 of lanes i and i + 4 in one register, then one
        // register per coordinate.
        const int* const ks = nodes + j;
        const __m256 r0 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[0])),
                                               _mm_loadu_ps(base + 2 * ks[4]), 1);
        const __m256 r1 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[1])),
                                               _mm_loadu_ps(base + 2 * ks[5]), 1);
        const __m256 r2 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[2])),
                                               _mm_loadu_ps(base + 2 * ks[6]), 1);
        const __m256 r3 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[3])),
                                               _mm_loadu_ps(base + 2 * ks[7]), 1);
        const __m256 t0 = _mm256_unpacklo_ps(r0, r1), t1 = _mm256_unpackhi_ps(r0, r1);
        const __m256 t2 = _mm256_unpacklo_ps(r2, r3), t3 = _mm256_unpackhi_ps(r2, r3);
        const __m256 ax = _mm256_shuffle_ps(t0, t2, 0x44), ay = _mm256_shuffle_ps(t0, t2, 0xee);
        const __m256 cx = _mm256_shuffle_ps(t1, t3, 0x44), cy = _mm256_shuffle_ps(t1, t3, 0xee);
        const __m256 f = _mm256_sub_ps(s, _mm256_cvtepi32_ps(k));
        _mm256_storeu_ps(sx + j, _mm256_add_ps(ax, _mm256_mul_ps(_mm256_sub_ps(cx, ax), f)));
        _mm256_storeu_ps(sy + j, _mm256_add_ps(ay, _mm256_mul_ps(_mm256_sub_ps(cy, ay), f)));
    }
    for (unsigned j = m - 1; j < basis.stride; ++j) {  // lanes past the inner samples: any node of the piece
        sx[j] = sy[j] = 0;
        kinds[j] = 0;
        nodes[j] = int(a);
    }

    const float stop = float(m - 2) * limits.stop_mean_discrepancy;
    inner_sums sums(piece[0], piece[3]);
    add_samples_wide(sums, sx, sy, basis);

    const float* const row = basis.rows.data();
    const size_t stride = basis.stride;
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i last_inner = _mm256_set1_epi32(int(m - 2));

    double err = 0;
    for (unsigned iteration = 0; iteration < max_iterations; ++iteration) {
        err = sums.solve(piece, basis);
        if (!samples_wanted && (err <= stop || iteration + 1 == max_iterations)) break;
        const real_point p0 = piece[0], p1 = piece[1], p2 = piece[2], p3 = piece[3];
        const __m256 p0x = _mm256_set1_ps(p0.x), p0y = _mm256_set1_ps(p0.y);
        const __m256 p1x = _mm256_set1_ps(p1.x), p1y = _mm256_set1_ps(p1.y);
        const __m256 p2x = _mm256_set1_ps(p2.x), p2y = _mm256_set1_ps(p2.y);
        const __m256 p3x = _mm256_set1_ps(p3.x), p3y = _mm256_set1_ps(p3.y);
        const __m256 e0x = _mm256_set1_ps(p1.x - p0.x), e0y = _mm256_set1_ps(p1.y - p0.y);
        const __m256 e1x = _mm256_set1_ps(p2.x - p1.x), e1y = _mm256_set1_ps(p2.y - p1.y);
        const __m256 e2x = _mm256_set1_ps(p3.x - p2.x), e2y = _mm256_set1_ps(p3.y - p2.y);
        for (unsigned j = 1; j + 1 < m; j += 8) {
            const __m256 b0 = _mm256_loadu_ps(row + j), b1 = _mm256_loadu_ps(row + stride + j);
            const __m256 b2 = _mm256_loadu_ps(row + 2 * stride + j), b3 = _mm256_loadu_ps(row + 3 * stride + j);
            const __m256 d0 = _mm256_loadu_ps(row + 4 * stride + j), d1 = _mm256_loadu_ps(row + 5 * stride + j);
            const __m256 d2 = _mm256_loadu_ps(row + 6 * stride + j);
            // B = b0 P0 + b1 P1 + b2 P2 + b3 P3 and B' = d0 (P1 - P0) + d1 (P2 - P1) + d2 (P3 - P2), left to right
            const __m256 bx = _mm256_add_ps(
                _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(b0, p0x), _mm256_mul_ps(b1, p1x)), _mm256_mul_ps(b2, p2x)),
                _mm256_mul_ps(b3, p3x));
            const __m256 by = _mm256_add_ps(
                _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(b0, p0y), _mm256_mul_ps(b1, p1y)), _mm256_mul_ps(b2, p2y)),
                _mm256_mul_ps(b3, p3y));
            const __m256 dbx =
                _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(d0, e0x), _mm256_mul_ps(d1, e1x)), _mm256_mul_ps(d2, e2x));
            const __m256 dby =
                _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(d0, e0y), _mm256_mul_ps(d1, e1y)), _mm256_mul_ps(d2, e2y));
            const __m256i idle = _mm256_cmpgt_epi32(_mm256_add_epi32(_mm256_set1_epi32(int(j)), lane), last_inner);
            pull_lanes(base, a, b, idle, bx, by, dbx, dby, sx + j, sy + j, kinds + j, nodes + j);
        }
        add_samples_wide(sums, sx, sy, basis);
        if (err <= stop) break;
    }
    if (wanted) {
        std::vector<real_point>& samples = wanted->points;
        std::vector<polyline_position>& positions = wanted->positions;
        samples.resize(m);
        positions.resize(m);
        samples[0] = piece[0];
        positions[0] = {0, a};
        samples[m - 1] = piece[3];
        positions[m - 1] = {0, b - 1};
        for (unsigned j = 1; j + 1 < m; ++j) {
            samples[j] = {sx[j], sy[j]};
            positions[j] = {unsigned(kinds[j]), unsigned(nodes[j])};
        }
    }
    w.trim();
    return err <= stop ? 0 : float(err);
}

// Pulls samples one block of eight at a time (see pull_lanes).
__attribute__((target("avx2"))) void pull_many_avx2(polyline_samples& many, size_t count, const real_polyline& polyline,
                                                    node_span span, const real_point* points,
                                                    const real_vector* derivatives)
{
    const unsigned first = span.first, end = span.end;
    polyline_position* const positions = many.positions.data();
    real_point* const samples = many.points.data();
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    for (size_t i = 0; i < count; i += 8) {
        const unsigned live = unsigned(std::min<size_t>(8, count - i));
        alignas(32) float x[8] = {}, y[8] = {}, bx[8] = {}, by[8] = {}, dbx[8] = {}, dby[8] = {};
        alignas(32) int kinds[8] = {}, nodes[8];
        for (unsigned l = 0; l < 8; ++l) nodes[l] = int(first);
        for (unsigned l = 0; l < live; ++l) {
            x[l] = samples[i + l].x;
            y[l] = samples[i + l].y;
            kinds[l] = int(positions[i + l].kind);
            nodes[l] = int(positions[i + l].node);
            bx[l] = points[i + l].x;
            by[l] = points[i + l].y;
            dbx[l] = derivatives[i + l].x;
            dby[l] = derivatives[i + l].y;
        }
        const __m256i idle = _mm256_cmpgt_epi32(lane, _mm256_set1_epi32(int(live) - 1));
        pull_lanes(&polyline[0].x, first, end, idle, _mm256_load_ps(bx), _mm256_load_ps(by), _mm256_load_ps(dbx),
                   _mm256_load_ps(dby), x, y, kinds, nodes);
        for (unsigned l = 0; l < live; ++l) {
            samples[i + l] = {x[l], y[l]};
            positions[i + l] = {unsigned(kinds[l]), unsigned(nodes[l])};
        }
    }
}

bool has_avx2()
{
    static const bool yes = __builtin_cpu_supports("avx2");
    return yes;
}

}  // namespace outline

#endif
