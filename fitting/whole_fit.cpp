#include "fitting/whole_fit.h"

#include "fitting/bezier_piece.h"
#include "fitting/least_squares_workspace.h"
#include "fitting/piece_basis.h"

namespace outline {

float fit_whole(const whole_fit_input& curve, float oversample, const fit_limits& limits,
                std::vector<real_point>& poly_bezier, polyline_samples& observed)
{
    const unsigned node_count = curve.node_count;
    const std::vector<node>& polyline = curve.polyline;
    const std::vector<unsigned>& junctions = curve.junctions;
    const std::vector<bool>& smooth = curve.smooth;
    std::vector<real_point>& samples = observed.points;
    std::vector<polyline_position>& positions = observed.positions;
    const unsigned m = unsigned(poly_bezier.size() / 3);
    if (m == 0 || poly_bezier.size() != 3 * size_t(m) + 1 || junctions.size() < m + 1 || smooth.size() < m ||
        node_count == 0 || polyline.size() < 2 * size_t(node_count))
        return -1;

    // Per piece: its sample count, first observation row and first unknown.
    struct piece_layout {
        unsigned samples;  // M_i; the piece gives M_i - 1 observations
        unsigned row;
        unsigned column;  // P0 at column, P1 at column + 1, P2 (if free) at column + 2
    };
    std::vector<piece_layout> layout(m);
    unsigned rows = 0, columns = 0;
    for (unsigned i = 0; i < m; ++i) {
        if (junctions[i + 1] <= junctions[i]) return -1;
        layout[i].samples = piece_sample_count(junctions[i + 1] - junctions[i] + 1, oversample);
        layout[i].row = rows;
        layout[i].column = columns;
        rows += layout[i].samples - 1;
        columns += smooth[(i + 1) % m] ? 2 : 3;
    }
    // The samples must be exactly those of the per-piece fits, and a least-
    // squares problem needs at least as many observations as unknowns.
    if (samples.size() != rows || positions.size() != rows || rows < columns) return -1;

    least_squares_workspace ws(columns, rows);
    if (!ws.ok()) return -1;
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
    if (!ws.decompose()) return -1;

    const unsigned polyline_end = 2 * node_count;
    const unsigned low = node_count / 2, high = node_count / 2 + node_count;
    const float stop = float(node_count) * limits.stop_mean_discrepancy;
    double err = 0;
    std::vector<real_point>& result = poly_bezier;
    for (unsigned iteration = 0; iteration < limits.max_iterations; ++iteration) {
        double sums[2];
        for (int axis = 0; axis < 2; ++axis) {
            for (unsigned r = 0; r < rows; ++r) gsl_vector_set(ws.rhs, r, axis == 0 ? samples[r].x : samples[r].y);
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
                pull_sample(positions[r], samples[r], nodes_as_real{polyline.data()}, node_span{0, polyline_end}, b,
                            db);
                unsigned& k = positions[r].node;
                if (k < low)
                    k += node_count;
                else if (k >= high)
                    k -= node_count;
            }
        }
        if (err <= stop) return 0;
    }
    return float(err);
}

}  // namespace outline
