#include "fitting/piece_fit.h"

#include "fitting/avx2_lanes.h"
#include "fitting/inner_controls.h"

namespace outline {

namespace {

typedef float float4 __attribute__((vector_size(16)));

inline float4 load4(const float* p)
{
    float4 v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

// Curve points and derivatives of one sweep, one buffer per thread: it is
// sized before a fit's iterations start and given back when an extreme
// oversample factor made it large.
class curve_buffer {
public:
    static float4* get(unsigned samples)
    {
        std::vector<float4>& b = instance().points;
        if (b.size() < samples) b.resize(samples);
        return b.data();
    }
    static void trim()
    {
        std::vector<float4>& b = instance().points;
        if (b.size() > kept) std::vector<float4>().swap(b);
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

// The plain sweep. Without samples_wanted the samples are scratch and the
// last sweep, which would only move them, is skipped.
template <class Points>
__attribute__((always_inline)) inline float fit_piece_on(const Points& polyline, unsigned a, const piece_basis& basis,
                                                         const fit_limits& limits, bezier_piece& piece,
                                                         polyline_samples& samples, bool samples_wanted)
{
    const unsigned max_iterations = limits.max_iterations;
    const unsigned length = basis.length, m = basis.samples, b = a + length;
    first_controls(piece, polyline, a, length);

    samples.points.resize(m);
    samples.positions.resize(m);
    real_point* sample = samples.points.data();
    polyline_position* position = samples.positions.data();
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

    const float stop = float(m - 2) * limits.stop_mean_discrepancy;
    float4* const on_curve = curve_buffer::get(m);
    const piece_basis::lane_weight* lane = basis.lanes.data();
    const piece_basis::inner_weight* inner = basis.inner.data();
    // The end samples never move, so each sweep that moves the inner samples
    // can already sum them up for the next least-squares fit.
    inner_sums sums(sample[0], sample[m - 1]);
    for (unsigned j = 1; j + 1 < m; ++j) sums.add(inner[j], sample[j]);
    double err = 0;
    for (unsigned iteration = 0; iteration < max_iterations; ++iteration) {
        err = sums.solve(piece, basis);
        // The last sweep moves samples that nobody reads unless the caller
        // wants them; the piece and the result do not depend on it.
        if (!samples_wanted && (err <= stop || iteration + 1 == max_iterations)) break;
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
            pull_sample(position[j], sample[j], polyline, node_span{a, b}, real_point{v[0], v[1]},
                        real_vector{v[2], v[3]});
        }
        sums = inner_sums(sample[0], sample[m - 1]);
        for (unsigned j = 1; j + 1 < m; ++j) sums.add(inner[j], sample[j]);
        if (err <= stop) break;
    }
    curve_buffer::trim();
    return err <= stop ? 0 : float(err);
}

// The eight-lane fit where the processor has AVX2 (checked once), the plain
// one elsewhere; both give the same bits.
float fit_on_real_polyline(const real_polyline& polyline, unsigned a, const piece_basis& basis,
                           const fit_limits& limits, bezier_piece& piece, polyline_samples& samples,
                           bool samples_wanted)
{
#if defined(__x86_64__)
    if (has_avx2())
        return fit_piece_avx2(polyline.data(), a, basis, limits, piece, samples_wanted ? &samples : nullptr);
#endif
    return fit_piece_on(real_nodes{polyline.data()}, a, basis, limits, piece, samples, samples_wanted);
}

}  // namespace

float fit_piece_plain(const std::vector<node>& polyline, unsigned a, const piece_basis& basis, const fit_limits& limits,
                      bezier_piece& piece, polyline_samples& samples)
{
    return fit_piece_on(nodes_as_real{polyline.data()}, a, basis, limits, piece, samples, true);
}

float fit_piece(const std::vector<node>& polyline, node_span span, float oversample, const fit_limits& limits,
                bezier_piece& piece, polyline_samples& samples)
{
    piece_basis basis;
    basis.build(span.end - span.first, oversample);
    return fit_piece_plain(polyline, span.first, basis, limits, piece, samples);
}

float fit_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis, const fit_limits& limits,
                bezier_piece& piece, polyline_samples& samples)
{
    return fit_on_real_polyline(polyline, a, basis, limits, piece, samples, true);
}

piece_estimate estimate_piece(const real_polyline& polyline, unsigned a, const piece_basis& basis,
                              const fit_limits& limits, polyline_samples& scratch)
{
    bezier_piece piece;
    const float discrepancy = fit_on_real_polyline(polyline, a, basis, limits, piece, scratch, false);
    return {discrepancy, piece[1] - piece[0], piece[2] - piece[3]};
}

}  // namespace outline
