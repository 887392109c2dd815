#include "bezier_fit.h"

#include <cmath>
#include <limits>

#include "least_squares_workspace.h"

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
    spread.resize(m);
    curve.resize(m);
    lanes.resize(m);
    for (unsigned j = 1; j + 1 < m; ++j) {
        spread[j] = float(j) * step * float(piece_length - 1);
        const curve_weight w = curve[j] = curve_weights(float(j) * step);
        lanes[j] = {{{w.b0, w.b0, w.d0, w.d0}, {w.b1, w.b1, w.d1, w.d1}, {w.b2, w.b2, w.d2, w.d2}, {w.b3, w.b3, 0, 0}}};
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

template <class Points>
__attribute__((always_inline)) inline float fit_piece_on(const Points& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                   float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                   std::vector<polyline_position>& positions, bool samples_wanted)
{
    const unsigned length = basis.length, m = basis.samples, b = a + length;
    piece[0] = polyline[a];
    piece[1] = polyline[a + length / 3];
    piece[2] = polyline[a + 2 * length / 3];
    piece[3] = polyline[b - 1];

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

}  // namespace

float fit_piece(const std::vector<node>& polyline, unsigned a, const piece_basis& basis, unsigned max_iterations,
                float stop_mean_discrepancy, bezier_piece& piece, std::vector<real_point>& samples,
                std::vector<polyline_position>& positions)
{
    return fit_piece_on(node_points{polyline.data()}, a, basis, max_iterations, stop_mean_discrepancy, piece,
                        samples, positions, true);
}

// Built for AVX2 too (20 % faster there), chosen at run time: the same
// float and double operations, so the same results.
__attribute__((target_clones("arch=x86-64-v3", "default"))) float fit_piece(const std::vector<real_point>& polyline, unsigned a,
                                                                 const piece_basis& basis, unsigned max_iterations,
                                                                 float stop_mean_discrepancy, bezier_piece& piece,
                                                                 std::vector<real_point>& samples,
                                                                 std::vector<polyline_position>& positions,
                                                                 bool samples_wanted)
{
    return fit_piece_on(real_points{polyline.data()}, a, basis, max_iterations, stop_mean_discrepancy, piece,
                        samples, positions, samples_wanted);
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
