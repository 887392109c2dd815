#include "fitting/piece_basis.h"

namespace outline {

unsigned piece_sample_count(unsigned length, float oversample)
{
    float m = float(length) * oversample;
    if (!(m >= 4.0f))  // also catches NaN and negative factors
        return 4;
    if (m >= float(max_piece_samples)) return max_piece_samples;
    return unsigned(m);
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
        const bezier_weights w = bezier_weights_at(float(j) * step);
        lanes[j] = {{{w.b0, w.b0, w.d0, w.d0}, {w.b1, w.b1, w.d1, w.d1}, {w.b2, w.b2, w.d2, w.d2}, {w.b3, w.b3, 0, 0}}};
        const float row[7] = {w.b0, w.b1, w.b2, w.b3, w.d0, w.d1, w.d2};
        for (unsigned r = 0; r < 7; ++r) rows[r * size_t(stride) + j] = row[r];
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

}  // namespace outline
