#include "tests/fitting/reference_search.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "fitting/bend_penalty.h"
#include "fitting/piece_basis.h"
#include "fitting/sample_pull.h"

namespace reference {

using outline::piece_estimate;

search_result grand_search(const std::vector<std::vector<piece_estimate>>& est, unsigned n, unsigned l,
                           const outline::grand_params<float>& p)
{
    struct layer {
        unsigned min, max;
        std::vector<std::vector<std::pair<unsigned, float>>> entries;  // [s][t - min]
    };
    const float pb = p.sharp_bend_penalty, pj = p.junction_penalty;
    auto bend = [&](outline::real_vector a, outline::real_vector b) { return outline::bend_penalty(pb, a, b); };
    search_result out{-1.0f, {}};
    if (l < 5) return out;
    float best = std::numeric_limits<float>::max();
    unsigned bs = 0, bk = 0;
    if (l == n + 1) {
        for (unsigned s = 0; s < n; ++s) {
            const piece_estimate& e = est[s][n + 1 - 4];
            float cost = e.discrepancy;
            if (pb > 0) cost += bend(e.d2, e.d1);
            if (cost < best) {
                best = cost;
                bs = s;
                bk = 0;
            }
        }
    }
    std::vector<layer> layers(1);
    layers[0].min = 4;
    layers[0].max = l;
    layers[0].entries.resize(n);
    for (unsigned s = 0; s < n; ++s)
        for (unsigned t = 4; t <= l; ++t) layers[0].entries[s].push_back({t, est[s][t - 4].discrepancy});
    for (unsigned k = 1; k <= p.max_junctions - 1; ++k) {
        if (float(k) * pj >= best) break;
        layer cur;
        const layer& prev = layers[k - 1];
        cur.min = prev.min + 3;
        cur.max = std::min(n + 1, prev.max + l - 1);
        if (cur.min >= n + 1) break;
        cur.entries.assign(n, std::vector<std::pair<unsigned, float>>(cur.max - cur.min + 1, {0u, -1.0f}));
        for (unsigned s = 0; s < n; ++s) {
            for (unsigned t = cur.min; t <= cur.max; ++t) {
                std::pair<unsigned, float>& entry = cur.entries[s][t - cur.min];
                entry.second = -1.0f;
                int lo = int(t) - int(prev.max) + 1;
                unsigned jmin = lo < 4 ? 4 : unsigned(lo);
                unsigned jmax = std::min(l, t - prev.min + 1);
                for (unsigned j = jmin; j <= jmax; ++j) {
                    const piece_estimate& e = est[s][j - 4];
                    unsigned s2 = (s + j - 1) % n;
                    std::pair<unsigned, float> r = prev.entries[s2][t - j + 1 - prev.min];
                    const piece_estimate& f = est[s2][r.first - 4];
                    float cost = r.second + e.discrepancy;
                    if (pb > 0) {
                        cost += bend(e.d2, f.d1);
                        if (t == n + 1) {
                            unsigned start = s2, remaining = t - j + 1;
                            for (unsigned kk = k - 1; kk >= 1; --kk) {
                                unsigned len = layers[kk].entries[start][remaining - layers[kk].min].first;
                                start = (start + len - 1) % n;
                                remaining -= len - 1;
                            }
                            const piece_estimate& g = est[start][remaining - 4];
                            cost += bend(g.d2, e.d1);
                        }
                    }
                    if (entry.second < 0 || cost < entry.second) entry = {j, cost};
                }
                if (t == n + 1 && float(k) * pj + entry.second < best) {
                    best = float(k) * pj + entry.second;
                    bs = s;
                    bk = k;
                }
            }
        }
        layers.push_back(std::move(cur));
    }
    if (best == std::numeric_limits<float>::max()) return out;
    out.junctions.push_back(bs);
    unsigned current = bs, remaining = n + 1;
    for (unsigned k = bk; k >= 1; --k) {
        unsigned len = layers[k].entries[current % n][remaining - layers[k].min].first;
        remaining -= len - 1;
        current += len - 1;
        out.junctions.push_back(current);
    }
    out.junctions.push_back(bs + n);
    out.cost = best;
    return out;
}

namespace {

double inner_controls(outline::bezier_piece& piece, const std::vector<outline::real_point>& samples, float step,
                      float start)
{
    const size_t m = samples.size();
    outline::real_point p0 = samples[0], p3 = samples[m - 1];
    piece[0] = p0;
    piece[3] = p3;
    double a11 = 0, a12 = 0, a22 = 0, c1x = 0, c1y = 0, c2x = 0, c2y = 0, qx = 0, qy = 0;
    float t = start + step;
    for (size_t j = 1; j + 1 < m; ++j, t += step) {
        double u = 1.0 - double(t);
        double alpha = u * u * double(t), beta = u * double(t) * double(t);
        double rx = double(samples[j].x) - u * u * u * p0.x - double(t) * double(t) * double(t) * p3.x;
        double ry = double(samples[j].y) - u * u * u * p0.y - double(t) * double(t) * double(t) * p3.y;
        a11 += alpha * alpha;
        a12 += alpha * beta;
        a22 += beta * beta;
        c1x += alpha * rx;
        c2x += beta * rx;
        qx += rx * rx;
        c1y += alpha * ry;
        c2y += beta * ry;
        qy += ry * ry;
    }
    double d = 1 / (a11 * a22 - a12 * a12);
    piece[1].x = float((c1x * a22 - c2x * a12) * d / 3);
    piece[1].y = float((c1y * a22 - c2y * a12) * d / 3);
    piece[2].x = float((c2x * a11 - c1x * a12) * d / 3);
    piece[2].y = float((c2y * a11 - c1y * a12) * d / 3);
    double r = (qx - 3 * (piece[1].x * c1x + piece[2].x * c2x)) + (qy - 3 * (piece[1].y * c1y + piece[2].y * c2y));
    return r < 0 ? 0 : r;
}

}  // namespace

float fit_piece(const std::vector<outline::node>& poly, outline::node_span span, float oversample,
                const outline::fit_limits& limits, outline::bezier_piece& piece)
{
    const unsigned a = span.first, b = span.end, max_iterations = limits.max_iterations;
    const float stop = limits.stop_mean_discrepancy;
    using outline::to_real;
    const unsigned len = b - a;
    piece = {to_real(poly[a]), to_real(poly[a + len / 3]), to_real(poly[a + 2 * len / 3]), to_real(poly[b - 1])};
    unsigned m = outline::piece_sample_count(len, oversample);
    float step = 1.0f / float(m - 1);
    std::vector<outline::real_point> samples(m);
    std::vector<outline::polyline_position> positions(m);
    samples[0] = to_real(poly[a]);
    positions[0] = {0, a};
    samples[m - 1] = to_real(poly[b - 1]);
    positions[m - 1] = {0, b - 1};
    for (unsigned j = 1; j + 1 < m; ++j) {
        float s = float(j) * step * float(len - 1) + float(a);
        unsigned k = unsigned(s);
        samples[j] = to_real(poly[k]) + (to_real(poly[k + 1]) - to_real(poly[k])) * (s - float(k));
        positions[j] = {1, k};
    }
    double err = 0;
    for (unsigned it = 0; it < max_iterations; ++it) {
        err = inner_controls(piece, samples, step, 0);
        for (unsigned j = 1; j + 1 < m; ++j) {
            outline::real_point pt;
            outline::real_vector d;
            outline::evaluate(piece, float(j) * step, &pt, &d);
            outline::pull_to_polyline(positions[j], samples[j], poly, {a, b}, pt, d);
        }
        if (err <= float(m - 2) * stop) return 0;
    }
    return float(err);
}

}  // namespace reference
