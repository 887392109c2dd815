#include "fitting/bezier_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "fitting/least_squares_workspace.h"

namespace outline {

namespace {

// The curve weights at parameter t, each product formed left to right as in
// u*u*u*P0 + 3*u*u*t*P1 + 3*u*t*t*P2 + t*t*t*P3.
piece_basis::curve_weight curve_weights(float t)
{
    float u = 1 - t;
    piece_basis::curve_weight w;
    w.b0 = u * u * u;
    w.b1 = 3 * u * u * t;
    w.b2 = 3 * u * t * t;
    w.b3 = t * t * t;
    w.d0 = 3 * u * u;
    w.d1 = 6 * u * t;
    w.d2 = 3 * t * t;
    return w;
}

// Both coordinates at once in one register pair: every lane performs the
// same operations in the same order as the scalar formula, so the results
// are the same bits.
typedef float float2 __attribute__((vector_size(8)));
typedef double double2 __attribute__((vector_size(16)));
typedef float float4 __attribute__((vector_size(16)));

inline float4 load4(const float* p)
{
    float4 v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

inline float2 pack(real_point p) { return float2{p.x, p.y}; }
inline real_point unpack(float2 v) { return {v[0], v[1]}; }

inline real_point curve_point(const bezier_piece& p, const piece_basis::curve_weight& w)
{
    return unpack(w.b0 * pack(p[0]) + w.b1 * pack(p[1]) + w.b2 * pack(p[2]) + w.b3 * pack(p[3]));
}

inline real_vector curve_derivative(const bezier_piece& p, const piece_basis::curve_weight& w)
{
    const float2 p0 = pack(p[0]), p1 = pack(p[1]), p2 = pack(p[2]), p3 = pack(p[3]);
    return unpack(w.d0 * (p1 - p0) + w.d1 * (p2 - p1) + w.d2 * (p3 - p2));
}

float squared_distance(real_point a, real_point b)
{
    float dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

}  // namespace

unsigned piece_sample_count(unsigned length, float oversample)
{
    float m = float(length) * oversample;
    if (!(m >= 4.0f))  // also catches NaN and negative factors
        return 4;
    if (m >= float(max_piece_samples))
        return max_piece_samples;
    return unsigned(m);
}

void evaluate(const bezier_piece& piece, float t, real_point* point, real_vector* derivative, float* weight1,
              float* weight2)
{
    piece_basis::curve_weight w = curve_weights(t);
    if (point)
        *point = curve_point(piece, w);
    if (derivative)
        *derivative = curve_derivative(piece, w);
    if (weight1)
        *weight1 = w.b1;
    if (weight2)
        *weight2 = w.b2;
}

namespace {

// The crossing of a + s*d with b + r*n; inlined into the sample loops.
inline bool crossing(real_point a, real_vector d, real_point b, real_vector n, float& s)
{
    float den = d.y * n.x - n.y * d.x;
    if (std::fabs(den) < std::numeric_limits<float>::epsilon())
        return false;
    real_vector ab = b - a;
    s = (ab.y * n.x - ab.x * n.y) / den;
    return true;
}

// Node k of the polyline as a real point, from the node array itself or
// from a copy already converted to floats (the conversion is exact).
struct node_points {
    const node* p;
    real_point operator[](unsigned k) const { return to_real(p[k]); }
};
struct real_points {
    const real_point* p;
    real_point operator[](unsigned k) const { return p[k]; }
};

template <class Points>
__attribute__((always_inline)) inline void pull(polyline_position& position, real_point& sample, const Points& polyline, unsigned first,
                 unsigned end, real_point b, real_vector db)
{
    const real_vector normal = {db.y, -db.x};
    const unsigned k = position.node;
    const real_point at = polyline[k];
    float s;

    if (position.kind == 1) {
        const real_vector d = polyline[k + 1] - at;
        if (!crossing(at, d, b, normal, s))
            return;
        if (s <= 0) {
            position = {0, k};
            sample = at;
        } else if (s >= 1) {
            position = {0, k + 1};
            sample = at + d;
        } else {
            sample = at + s * d;
        }
        return;
    }

    bool prev_ok = false, next_ok = false;
    float prev_s = 0, next_s = 0;
    real_point prev_q{}, next_q{};
    if (k > first) {
        const real_vector d = polyline[k - 1] - at;
        if (crossing(at, d, b, normal, prev_s) && prev_s > 0) {
            prev_ok = true;
            prev_q = at + prev_s * d;
        }
    }
    if (k + 1 < end) {
        const real_vector d = polyline[k + 1] - at;
        if (crossing(at, d, b, normal, next_s) && next_s > 0) {
            next_ok = true;
            next_q = at + next_s * d;
        }
    }
    if (!prev_ok && !next_ok)
        return;
    const bool take_next = next_ok && (!prev_ok || squared_distance(next_q, b) < squared_distance(prev_q, b));
    if (take_next) {
        position = {1, k};
        sample = next_s <= 1 ? next_q : (at + polyline[k + 1]) * 0.5f;
    } else {
        position = {1, k - 1};
        sample = prev_s <= 1 ? prev_q : (polyline[k - 1] + at) * 0.5f;
    }
}

}  // namespace

bool intersect_lines(real_point a, real_vector d, real_point b, real_vector n, float& s)
{
    return crossing(a, d, b, n, s);
}

void pull_to_polyline(polyline_position& position, real_point& sample, const std::vector<node>& polyline,
                      unsigned first, unsigned end, real_point b, real_vector db)
{
    pull(position, sample, node_points{polyline.data()}, first, end, b, db);
}

void piece_basis::build(unsigned piece_length, float oversample, float start)
{
    length = piece_length;
    unsigned m = piece_sample_count(piece_length, oversample);
    build_inner(m, 1.0f / float(m - 1), start);
    lanes.resize(m);
    stride = (m + 13) & ~7u;  // blocks of eight from sample 1 reach sample m + 5
    spread.assign(stride, 0.0f);
    rows.assign(7 * size_t(stride), 0.0f);
    for (unsigned j = 1; j + 1 < m; ++j) {
        spread[j] = float(j) * step * float(piece_length - 1);
        const curve_weight w = curve_weights(float(j) * step);
        lanes[j] = {{{w.b0, w.b0, w.d0, w.d0}, {w.b1, w.b1, w.d1, w.d1}, {w.b2, w.b2, w.d2, w.d2}, {w.b3, w.b3, 0, 0}}};
        const float row[7] = {w.b0, w.b1, w.b2, w.b3, w.d0, w.d1, w.d2};
        for (unsigned r = 0; r < 7; ++r)
            rows[r * size_t(stride) + j] = row[r];
    }
    pairs.assign(8 * size_t(stride), 0.0);
    for (unsigned j = 1; j + 1 < m; ++j) {
        const double pair[4] = {inner[j].alpha, inner[j].beta, inner[j].u3, inner[j].t3};
        for (unsigned r = 0; r < 4; ++r)
            pairs[2 * (r * size_t(stride) + j)] = pairs[2 * (r * size_t(stride) + j) + 1] = pair[r];
    }
}

void piece_basis::build_inner(unsigned sample_count, float sample_step, float start)
{
    samples = sample_count;
    step = sample_step;
    inner.resize(sample_count);
    a11 = a12 = a22 = 0;
    float t = start + step;
    for (unsigned j = 1; j + 1 < sample_count; ++j, t += step) {
        double u = 1.0 - double(t), td = t;
        inner_weight& w = inner[j];
        w.alpha = u * u * td;
        w.beta = u * td * td;
        w.u3 = u * u * u;
        w.t3 = td * td * td;
        a11 += w.alpha * w.alpha;
        a12 += w.alpha * w.beta;
        a22 += w.beta * w.beta;
    }
    inv_det = 1 / (a11 * a22 - a12 * a12);
}

namespace {

// The sums of the 2x2 system of the inner control points, x in lane 0 and
// y in lane 1, each accumulated in sample order.
struct inner_sums {
    double2 start, end;  // P0 and P3
    double2 c1, c2, q;

    inner_sums(real_point p0, real_point p3) : start{p0.x, p0.y}, end{p3.x, p3.y}, c1{0, 0}, c2{0, 0}, q{0, 0} {}
    void add(const piece_basis::inner_weight& w, real_point sample)
    {
        const double2 r = double2{sample.x, sample.y} - w.u3 * start - w.t3 * end;
        c1 += w.alpha * r;
        c2 += w.beta * r;
        q += r * r;
    }
    // Sets P0, P1, P2, P3 and returns the residual sum of squares.
    double solve(bezier_piece& piece, const piece_basis& basis) const
    {
        const double c1x = c1[0], c1y = c1[1], c2x = c2[0], c2y = c2[1], qx = q[0], qy = q[1];
        piece[0] = {float(start[0]), float(start[1])};
        piece[3] = {float(end[0]), float(end[1])};
        piece[1].x = float((c1x * basis.a22 - c2x * basis.a12) * basis.inv_det / 3);
        piece[1].y = float((c1y * basis.a22 - c2y * basis.a12) * basis.inv_det / 3);
        piece[2].x = float((c2x * basis.a11 - c1x * basis.a12) * basis.inv_det / 3);
        piece[2].y = float((c2y * basis.a11 - c1y * basis.a12) * basis.inv_det / 3);
        double residual = (qx - 3 * (piece[1].x * c1x + piece[2].x * c2x)) +
                          (qy - 3 * (piece[1].y * c1y + piece[2].y * c2y));
        return residual < 0 ? 0 : residual;
    }
};

}  // namespace

double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, const piece_basis& basis)
{
    const unsigned m = basis.samples;
    inner_sums sums(samples[0], samples[m - 1]);
    for (unsigned j = 1; j + 1 < m; ++j)
        sums.add(basis.inner[j], samples[j]);
    return sums.solve(piece, basis);
}

double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, float step, float start)
{
    if (samples.size() < 2)
        return 0;
    piece_basis basis;
    basis.build_inner(unsigned(samples.size()), step, start);
    return fit_inner_controls(piece, samples, basis);
}

namespace {

// Curve points and derivatives of one sweep, one buffer per thread: it is
// sized before a fit's iterations start and given back when an extreme
// oversample factor made it large.
class curve_buffer {
public:
    static float4* get(unsigned samples)
    {
        std::vector<float4>& b = instance().points;
        if (b.size() < samples)
            b.resize(samples);
        return b.data();
    }
    static void trim()
    {
        std::vector<float4>& b = instance().points;
        if (b.size() > kept)
            std::vector<float4>().swap(b);
    }

private:
    static constexpr size_t kept = 1 << 16;
    std::vector<float4> points;
    static curve_buffer& instance()
    {
        static thread_local curve_buffer buffer;
        return buffer;
    }
};

// A fit's first control points: P0 and P3 on the end nodes, P1 and P2 on
// the nodes a third and two thirds along.
template <class Points>
inline void start_piece(bezier_piece& piece, const Points& polyline, unsigned a, unsigned length)
{
    piece[0] = polyline[a];
    piece[1] = polyline[a + length / 3];
    piece[2] = polyline[a + 2 * length / 3];
    piece[3] = polyline[a + length - 1];
}

template <class Points>
__attribute__((always_inline)) inline float fit_piece_on(const Points& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                   float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                   std::vector<polyline_position>& positions, bool samples_wanted)
{
    const unsigned length = basis.length, m = basis.samples, b = a + length;
    start_piece(piece, polyline, a, length);

    samples.resize(m);
    positions.resize(m);
    real_point* sample = samples.data();
    polyline_position* position = positions.data();
    sample[0] = piece[0];
    position[0] = {0, a};
    sample[m - 1] = piece[3];
    position[m - 1] = {0, b - 1};
    for (unsigned j = 1; j + 1 < m; ++j) {
        float s = basis.spread[j] + float(a);
        unsigned k = unsigned(s);
        if (k + 1 >= b)  // rounding can reach the last node only at extreme oversampling
            k = b - 2;
        real_point at = polyline[k];
        sample[j] = at + (polyline[k + 1] - at) * (s - float(k));
        position[j] = {1, k};
    }

    const float stop = float(m - 2) * stop_mean_discrepancy;
    float4* const on_curve = curve_buffer::get(m);
    const piece_basis::lane_weight* lane = basis.lanes.data();
    const piece_basis::inner_weight* inner = basis.inner.data();
    // The end samples never move, so each sweep that moves the inner samples
    // can already sum them up for the next least-squares fit.
    inner_sums sums(sample[0], sample[m - 1]);
    for (unsigned j = 1; j + 1 < m; ++j)
        sums.add(inner[j], sample[j]);
    double err = 0;
    for (unsigned iteration = 0; iteration < max_iterations; ++iteration) {
        err = sums.solve(piece, basis);
        // The last sweep moves samples that nobody reads unless the caller
        // wants them; the piece and the result do not depend on it.
        if (!samples_wanted && (err <= stop || iteration + 1 == max_iterations))
            break;
        // Point and derivative in one register, lanes (x, y, x', y'): each lane
        // sums the same products in the same order as the scalar formulas; the
        // derivative lanes add a last +0, which changes nothing the pull can see.
        const real_point p0 = piece[0], p1 = piece[1], p2 = piece[2], p3 = piece[3];
        const float4 q0 = {p0.x, p0.y, p1.x - p0.x, p1.y - p0.y};
        const float4 q1 = {p1.x, p1.y, p2.x - p1.x, p2.y - p1.y};
        const float4 q2 = {p2.x, p2.y, p3.x - p2.x, p3.y - p2.y};
        const float4 q3 = {p3.x, p3.y, 0, 0};
        // Three passes rather than one: the curve points need nothing from
        // the pulls, and the pulls nothing from each other, so splitting the
        // work keeps the processor's long division-and-branch chains of the
        // pulls apart from the serial double sums (5 to 15 % faster).
        for (unsigned j = 1; j + 1 < m; ++j) {
            const piece_basis::lane_weight& w = lane[j];
            on_curve[j] = load4(w.w[0]) * q0 + load4(w.w[1]) * q1 + load4(w.w[2]) * q2 + load4(w.w[3]) * q3;
        }
        for (unsigned j = 1; j + 1 < m; ++j) {
            const float4 v = on_curve[j];
            pull(position[j], sample[j], polyline, a, b, real_point{v[0], v[1]}, real_vector{v[2], v[3]});
        }
        sums = inner_sums(sample[0], sample[m - 1]);
        for (unsigned j = 1; j + 1 < m; ++j)
            sums.add(inner[j], sample[j]);
        if (err <= stop)
            break;
    }
    curve_buffer::trim();
    return err <= stop ? 0 : float(err);
}

#if defined(__x86_64__)
// The pull of eight samples at once. Each lane performs the float operations
// of pull in the same order, but every outcome is computed (the crossings with
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
    const __m256 take_next = _mm256_and_ps(
        next_ok, _mm256_or_ps(_mm256_andnot_ps(prev_ok, _mm256_castsi256_ps(all)), _mm256_cmp_ps(dist_n, dist_p, _CMP_LT_OQ)));
    const __m256 next_within = _mm256_cmp_ps(s_n, one, _CMP_LE_OQ);
    const __m256 prev_within = _mm256_cmp_ps(s_p, one, _CMP_LE_OQ);
    const __m256 nxx = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(ax, cx), half), qnx, next_within);
    const __m256 nxy = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(ay, cy), half), qny, next_within);
    const __m256 pvx = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(px, ax), half), qpx, prev_within);
    const __m256 pvy = _mm256_blendv_ps(_mm256_mul_ps(_mm256_add_ps(py, ay), half), qpy, prev_within);
    const __m256 at_x = _mm256_blendv_ps(pvx, nxx, take_next), at_y = _mm256_blendv_ps(pvy, nxy, take_next);
    const __m256i at_node = _mm256_add_epi32(k, _mm256_andnot_si256(_mm256_castps_si256(take_next), all));  // k - 1 unless next

    // Which lanes move, and how: a segment sample when its segment is crossed,
    // a node sample when either neighbour is.
    const __m256i segment = _mm256_cmpeq_epi32(kind, one_i);
    const __m256i move_on = _mm256_andnot_si256(idle, _mm256_and_si256(segment, _mm256_castps_si256(ok_n)));
    const __m256i move_at =
        _mm256_andnot_si256(idle, _mm256_andnot_si256(segment, _mm256_castps_si256(_mm256_or_ps(prev_ok, next_ok))));
    __m256 nx_ = _mm256_loadu_ps(x), ny_ = _mm256_loadu_ps(y);
    nx_ = _mm256_blendv_ps(_mm256_blendv_ps(nx_, on_x, _mm256_castsi256_ps(move_on)), at_x, _mm256_castsi256_ps(move_at));
    ny_ = _mm256_blendv_ps(_mm256_blendv_ps(ny_, on_y, _mm256_castsi256_ps(move_on)), at_y, _mm256_castsi256_ps(move_at));
    const __m256i nk = _mm256_blendv_epi8(_mm256_blendv_epi8(k, on_node, move_on), at_node, move_at);
    const __m256i nkind = _mm256_blendv_epi8(_mm256_blendv_epi8(kind, _mm256_andnot_si256(snapped, one_i), move_on), one_i, move_at);
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
        const __m256d r = _mm256_sub_pd(_mm256_sub_pd(_mm256_cvtps_pd(xy), _mm256_mul_pd(_mm256_loadu_pd(w + 4 * stride), start)),
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
    if (j + 1 < m)
        sums.add(basis.inner[j], real_point{x[j], y[j]});
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
        if (x.size() > (1u << 16))
            *this = wide_scratch();
    }
    static wide_scratch& get()
    {
        static thread_local wide_scratch s;
        return s;
    }
};

// fit_piece_on for processors with AVX2, eight samples per step: each lane
// evaluates the curve as curve_point and curve_derivative do and pulls as
// pull_lanes says; the sums keep their sample order. Same bits as
// fit_piece_on, 1.6 to 1.8 times faster.
__attribute__((target("avx2"))) float fit_piece_wide(const real_point* polyline, unsigned a, const piece_basis& basis,
                                                     unsigned max_iterations, float stop_mean_discrepancy,
                                                     bezier_piece& piece, std::vector<real_point>& samples,
                                                     std::vector<polyline_position>& positions, bool samples_wanted)
{
    const unsigned length = basis.length, m = basis.samples, b = a + length;
    start_piece(piece, polyline, a, length);

    wide_scratch& w = wide_scratch::get();
    w.size(basis.stride);
    float* const sx = w.x.data();
    float* const sy = w.y.data();
    int* const kinds = w.kind.data();
    int* const nodes = w.node.data();
    // The first samples, eight at a time as in fit_piece_on: s = j step (L - 1)
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
        const __m256 r0 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[0])), _mm_loadu_ps(base + 2 * ks[4]), 1);
        const __m256 r1 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[1])), _mm_loadu_ps(base + 2 * ks[5]), 1);
        const __m256 r2 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[2])), _mm_loadu_ps(base + 2 * ks[6]), 1);
        const __m256 r3 = _mm256_insertf128_ps(_mm256_castps128_ps256(_mm_loadu_ps(base + 2 * ks[3])), _mm_loadu_ps(base + 2 * ks[7]), 1);
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

    const float stop = float(m - 2) * stop_mean_discrepancy;
    inner_sums sums(piece[0], piece[3]);
    add_samples_wide(sums, sx, sy, basis);

    const float* const row = basis.rows.data();
    const size_t stride = basis.stride;
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const __m256i last_inner = _mm256_set1_epi32(int(m - 2));

    double err = 0;
    for (unsigned iteration = 0; iteration < max_iterations; ++iteration) {
        err = sums.solve(piece, basis);
        if (!samples_wanted && (err <= stop || iteration + 1 == max_iterations))
            break;
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
            const __m256 bx = _mm256_add_ps(_mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(b0, p0x), _mm256_mul_ps(b1, p1x)),
                                                          _mm256_mul_ps(b2, p2x)),
                                            _mm256_mul_ps(b3, p3x));
            const __m256 by = _mm256_add_ps(_mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(b0, p0y), _mm256_mul_ps(b1, p1y)),
                                                          _mm256_mul_ps(b2, p2y)),
                                            _mm256_mul_ps(b3, p3y));
            const __m256 dbx = _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(d0, e0x), _mm256_mul_ps(d1, e1x)), _mm256_mul_ps(d2, e2x));
            const __m256 dby = _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(d0, e0y), _mm256_mul_ps(d1, e1y)), _mm256_mul_ps(d2, e2y));
            const __m256i idle = _mm256_cmpgt_epi32(_mm256_add_epi32(_mm256_set1_epi32(int(j)), lane), last_inner);
            pull_lanes(base, a, b, idle, bx, by, dbx, dby, sx + j, sy + j, kinds + j, nodes + j);
        }
        add_samples_wide(sums, sx, sy, basis);
        if (err <= stop)
            break;
    }
    if (samples_wanted) {
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
__attribute__((target("avx2"))) void pull_many_wide(polyline_position* positions, real_point* samples, size_t count,
                                                    const real_polyline& polyline, unsigned first, unsigned end,
                                                    const real_point* points, const real_vector* derivatives)
{
    const __m256i lane = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    for (size_t i = 0; i < count; i += 8) {
        const unsigned live = unsigned(std::min<size_t>(8, count - i));
        alignas(32) float x[8] = {}, y[8] = {}, bx[8] = {}, by[8] = {}, dbx[8] = {}, dby[8] = {};
        alignas(32) int kinds[8] = {}, nodes[8];
        for (unsigned l = 0; l < 8; ++l)
            nodes[l] = int(first);
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
#endif

}  // namespace

float fit_piece(const std::vector<node>& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions)
{
    return fit_piece_on(node_points{polyline.data()}, a, basis, max_iterations, stop_mean_discrepancy, piece,
                        samples, positions, true);
}

// The eight-lane fit where the processor has AVX2 (checked once), the plain
// one elsewhere; both give the same bits.
float fit_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions, bool samples_wanted)
{
#if defined(__x86_64__)
    if (has_avx2())
        return fit_piece_wide(polyline.data(), a, basis, max_iterations, stop_mean_discrepancy, piece, samples,
                              positions, samples_wanted);
#endif
    return fit_piece_on(real_points{polyline.data()}, a, basis, max_iterations, stop_mean_discrepancy, piece,
                        samples, positions, samples_wanted);
}

void pull_to_polyline(std::vector<polyline_position>& positions, std::vector<real_point>& samples,
                      const real_polyline& polyline, unsigned first, unsigned end,
                      const std::vector<real_point>& points, const std::vector<real_vector>& derivatives)
{
    const size_t count = std::min(std::min(positions.size(), samples.size()), std::min(points.size(), derivatives.size()));
#if defined(__x86_64__)
    if (has_avx2()) {
        pull_many_wide(positions.data(), samples.data(), count, polyline, first, end, points.data(), derivatives.data());
        return;
    }
#endif
    for (size_t i = 0; i < count; ++i)
        pull(positions[i], samples[i], real_points{polyline.data()}, first, end, points[i], derivatives[i]);
}

float fit_piece(const std::vector<node>& polyline, unsigned a, unsigned b, unsigned max_iterations,
                float stop_mean_discrepancy, float oversample, bezier_piece& piece,
                std::vector<real_point>& samples, std::vector<polyline_position>& positions)
{
    piece_basis basis;
    basis.build(b - a, oversample);
    return fit_piece(polyline, a, basis, max_iterations, stop_mean_discrepancy, piece, samples, positions);
}

float fit_whole(unsigned node_count, const std::vector<node>& polyline, const std::vector<unsigned>& junctions,
                const std::vector<bool>& smooth, unsigned max_iterations, float stop_mean_discrepancy,
                float oversample, std::vector<real_point>& poly_bezier, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions)
{
    const unsigned m = unsigned(poly_bezier.size() / 3);
    if (m == 0 || poly_bezier.size() != 3 * size_t(m) + 1 || junctions.size() < m + 1 || smooth.size() < m || node_count == 0 ||
        polyline.size() < 2 * size_t(node_count))
        return -1;

    // Per piece: its sample count, first observation row and first unknown.
    struct piece_layout {
        unsigned samples;  // M_i; the piece gives M_i - 1 observations
        unsigned row;
        unsigned column;   // P0 at column, P1 at column + 1, P2 (if free) at column + 2
    };
    std::vector<piece_layout> layout(m);
    unsigned rows = 0, columns = 0;
    for (unsigned i = 0; i < m; ++i) {
        if (junctions[i + 1] <= junctions[i])
            return -1;
        layout[i].samples = piece_sample_count(junctions[i + 1] - junctions[i] + 1, oversample);
        layout[i].row = rows;
        layout[i].column = columns;
        rows += layout[i].samples - 1;
        columns += smooth[(i + 1) % m] ? 2 : 3;
    }
    // The samples must be exactly those of the per-piece fits, and a least-
    // squares problem needs at least as many observations as unknowns.
    if (samples.size() != rows || positions.size() != rows || rows < columns)
        return -1;

    least_squares_workspace ws(columns, rows);
    if (!ws.ok())
        return -1;
    gsl_matrix_set_zero(ws.design);
    for (unsigned i = 0; i < m; ++i) {
        const piece_layout& p = layout[i];
        const unsigned next = layout[(i + 1) % m].column;
        const bool next_smooth = smooth[(i + 1) % m];
        const float step = 1.0f / float(p.samples - 1);
        float t = 0;
        for (unsigned j = 0; j + 1 < p.samples; ++j, t += step) {
            const unsigned r = p.row + j;
            double td = t, u = 1.0 - td;
            double b0 = u * u * u, b1 = 3 * u * u * td, b2 = 3 * u * td * td, b3 = td * td * td;
            // Accumulate: with a single piece its own P0 and P1 are also the next ones.
            auto add = [&](unsigned column, double value) {
                gsl_matrix_set(ws.design, r, column, gsl_matrix_get(ws.design, r, column) + value);
            };
            add(p.column, b0);
            add(p.column + 1, b1);
            if (next_smooth) {
                add(next, 2 * b2 + b3);
                add(next + 1, -b2);
            } else {
                add(p.column + 2, b2);
                add(next, b3);
            }
        }
    }
    if (!ws.decompose())
        return -1;

    const unsigned polyline_end = 2 * node_count;
    const unsigned low = node_count / 2, high = node_count / 2 + node_count;
    const float stop = float(node_count) * stop_mean_discrepancy;
    double err = 0;
    std::vector<real_point>& result = poly_bezier;
    for (unsigned iteration = 0; iteration < max_iterations; ++iteration) {
        double sums[2];
        for (int axis = 0; axis < 2; ++axis) {
            for (unsigned r = 0; r < rows; ++r)
                gsl_vector_set(ws.rhs, r, axis == 0 ? samples[r].x : samples[r].y);
            sums[axis] = ws.solve();
            auto unknown = [&](unsigned column) { return gsl_vector_get(ws.solution, column); };
            for (unsigned i = 0; i < m; ++i) {
                const piece_layout& p = layout[i];
                float* entry[3] = {axis == 0 ? &result[3 * i].x : &result[3 * i].y,
                                   axis == 0 ? &result[3 * i + 1].x : &result[3 * i + 1].y,
                                   axis == 0 ? &result[3 * i + 2].x : &result[3 * i + 2].y};
                *entry[0] = float(unknown(p.column));
                *entry[1] = float(unknown(p.column + 1));
                if (smooth[(i + 1) % m]) {
                    const unsigned next = layout[(i + 1) % m].column;
                    *entry[2] = float(2 * unknown(next) - unknown(next + 1));
                } else {
                    *entry[2] = float(unknown(p.column + 2));
                }
            }
            if (axis == 0)
                result[3 * m].x = result[0].x;
            else
                result[3 * m].y = result[0].y;
        }
        err = sums[0] + sums[1];

        for (unsigned i = 0; i < m; ++i) {
            const piece_layout& p = layout[i];
            const bezier_piece piece = {result[3 * i], result[3 * i + 1], result[3 * i + 2], result[3 * i + 3]};
            const float step = 1.0f / float(p.samples - 1);
            float t = 0;
            for (unsigned j = 0; j + 1 < p.samples; ++j, t += step) {
                const unsigned r = p.row + j;
                real_point b;
                real_vector db;
                evaluate(piece, t, &b, &db);
                pull(positions[r], samples[r], node_points{polyline.data()}, 0, polyline_end, b, db);
                unsigned& k = positions[r].node;
                if (k < low)
                    k += node_count;
                else if (k >= high)
                    k -= node_count;
            }
        }
        if (err <= stop)
            return 0;
    }
    return float(err);
}

}  // namespace outline
