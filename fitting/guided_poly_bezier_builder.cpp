#include "fitting/guided_poly_bezier_builder.h"

#include <algorithm>
#include <limits>
#include <new>

#include "fitting/bend_penalty.h"
#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
#include "fitting/thread_pool.h"

namespace outline {

template <class C, class R>
void guided_poly_bezier_builder<C, R>::set(const nodes& closed, const std::vector<node_list_ref>& areas,
                                           const std::vector<bool>& smooth)
{
    base::set_polyline(closed);
    areas_ = areas;
    smooth_ = smooth;
    smooth_.resize(areas_.size(), false);
    tables_.clear();
}

template <class C, class R>
void guided_poly_bezier_builder<C, R>::clear()
{
    base::clear();
    areas_.clear();
    smooth_.clear();
    tables_.clear();
}

namespace {

// The search relies on these: every area has candidates, ascending, below N.
bool usable_areas(const std::vector<std::reference_wrapper<const std::vector<unsigned>>>& areas, unsigned n)
{
    if (areas.empty()) return false;
    for (const std::vector<unsigned>& list : areas) {
        if (list.empty() || list.back() >= n) return false;
        for (size_t i = 1; i < list.size(); ++i)
            if (list[i] <= list[i - 1]) return false;
    }
    return true;
}

}  // namespace

template <class C, class R>
void guided_poly_bezier_builder<C, R>::estimate()
{
    // Out of memory, the tables stay empty and the search finds no curve.
    try {
        estimate_tables();
    } catch (const std::bad_alloc&) {
        tables_.clear();
    }
}

template <class C, class R>
void guided_poly_bezier_builder<C, R>::estimate_tables()
{
    if (!tables_.empty()) return;
    const unsigned n = this->node_count_;
    if (!usable_areas(areas_, n)) return;
    const unsigned count = unsigned(areas_.size());
    const builder_params<R>& p = params_;

    // Every (area, column) pair is an independent run of fits.
    struct job {
        unsigned area, column;
    };
    std::vector<job> jobs;
    std::vector<estimate_table> tables(count);
    for (unsigned i = 0; i < count; ++i) {
        estimate_table& t = tables[i];
        t.rows = unsigned(candidates(i + 1).size());
        t.columns = unsigned(candidates(i).size());
        t.cells.resize(size_t(t.rows) * t.columns);
        for (unsigned a = 0; a < t.columns; ++a) jobs.push_back({i, a});
    }

    thread_pool& pool = thread_pool::shared();
    struct scratch {
        polyline_samples samples;
        piece_basis basis;
    };
    std::vector<scratch> workers(pool.concurrency());
    const fit_limits limits = {p.estimation_max_iterations, p.estimation_stop_mean_discrepancy};
    pool.parallel_for(jobs.size(), 1, [&](size_t begin, size_t end, unsigned worker) {
        scratch& w = workers[worker];
        for (size_t q = begin; q < end; ++q) {
            const unsigned i = jobs[q].area, a = jobs[q].column;
            estimate_table& t = tables[i];
            const unsigned u = candidates(i)[a];
            for (unsigned b = 0; b < t.rows; ++b) {
                piece_estimate& e = t.at(b, a);
                e = {R(-1), {0, 0}, {0, 0}};
                // A single area has only the loops from a candidate back to itself.
                if (count == 1 && b != a) continue;
                unsigned v = candidates(i + 1)[b];
                if (v <= u) v += n;
                const unsigned length = v - u + 1;
                if (length < 4) continue;
                if (w.basis.length != length) w.basis.build(length, p.estimation_oversample_factor);
                e = estimate_piece(this->real_nodes_, u, w.basis, limits, w.samples);
            }
        }
    });
    tables_.swap(tables);
}

// Without estimation: the middle candidate of every area.
template <class C, class R>
R guided_poly_bezier_builder<C, R>::place_without_search(std::vector<unsigned>& junctions) const
{
    const unsigned n = this->node_count_;
    const unsigned count = unsigned(areas_.size());
    junctions.assign(count + 1, 0);
    if (!usable_areas(areas_, n)) {
        junctions.clear();
        return R(-1);
    }
    for (unsigned i = 0; i < count; ++i) {
        const std::vector<unsigned>& list = candidates(i);
        junctions[i] = list[list.size() / 2];
        if (i >= 1 && junctions[i] < junctions[i - 1]) junctions[i] += n;
    }
    junctions[count] = junctions[0] + n;
    // With candidate lists that interleave along the polyline the middle
    // candidates may not go around it exactly once; such a list would run
    // past the doubled polyline, so there is no curve.
    for (unsigned i = 1; i <= count; ++i) {
        if (junctions[i] <= junctions[i - 1]) {
            junctions.clear();
            return R(-1);
        }
    }
    return 0;
}

template <class C, class R>
junction_search_result<R> guided_poly_bezier_builder<C, R>::find_junctions(std::vector<unsigned>& junctions)
{
    if (!params_.estimation) return {place_without_search(junctions), false};
    return {search(junctions), true};
}

// The dynamic programme around the cycle of areas over the estimate tables.
template <class C, class R>
R guided_poly_bezier_builder<C, R>::search(std::vector<unsigned>& junctions) const
{
    if (tables_.empty()) return R(-1);

    const unsigned n = this->node_count_;
    const unsigned count = unsigned(areas_.size());
    const R bend = params_.sharp_bend_penalty;
    junctions.clear();
    R best = std::numeric_limits<R>::max();

    if (count == 1) {
        const std::vector<unsigned>& list = candidates(0);
        unsigned chosen = 0;
        for (unsigned a = 0; a < list.size(); ++a) {
            const piece_estimate& e = tables_[0].at(a, a);
            if (e.discrepancy < 0) continue;
            R cost = e.discrepancy;
            if (bend > 0) cost += bend_penalty(bend, e.d2, e.d1);
            if (cost < best) {
                best = cost;
                chosen = a;
            }
        }
        if (best == std::numeric_limits<R>::max()) return R(-1);
        junctions = {list[chosen], list[chosen] + n};
        return best;
    }

    // Chain tables: rows are the candidates of the last area, columns those of
    // area k; the discrepancy field holds the chain's cost, d1 the start
    // tangent of its first piece and d2 the end tangent of its last piece.
    // successor[k][row * columns + j]: index among area k + 1's candidates of
    // the node after candidate j of area k on the best chain ending at `row`.
    const unsigned last = count - 1;
    const std::vector<unsigned>& last_list = candidates(last);
    const unsigned rows = unsigned(last_list.size());
    std::vector<std::vector<unsigned>> successor(last);

    estimate_table chain = tables_[last - 1];
    successor[last - 1].resize(size_t(rows) * chain.columns);
    for (unsigned r = 0; r < rows; ++r)
        for (unsigned j = 0; j < chain.columns; ++j) successor[last - 1][size_t(r) * chain.columns + j] = r;

    for (int k = int(count) - 3; k >= 0; --k) {
        const std::vector<unsigned>& from = candidates(unsigned(k));
        const std::vector<unsigned>& via = candidates(unsigned(k) + 1);
        const estimate_table& pieces = tables_[unsigned(k)];
        const bool smooth_via = smooth_[unsigned(k) + 1];
        estimate_table next;
        next.rows = rows;
        next.columns = unsigned(from.size());
        next.cells.resize(size_t(rows) * next.columns);
        std::vector<unsigned>& succ = successor[unsigned(k)];
        succ.assign(size_t(rows) * next.columns, 0);
        for (unsigned r = 0; r < rows; ++r) {
            // Positions measured forward from the chain's last node: a chain
            // goes around the polyline once only while they increase.
            const unsigned end_node = last_list[r];
            auto forward = [&](unsigned node) { return (node + n - end_node) % n; };
            for (unsigned j = 0; j < next.columns; ++j) {
                piece_estimate& out = next.at(r, j);
                out.discrepancy = R(-1);
                const unsigned start_offset = forward(from[j]);
                for (unsigned x = 0; x < via.size(); ++x) {
                    const piece_estimate& pc = pieces.at(x, j);
                    if (pc.discrepancy < 0) continue;
                    const piece_estimate& q = chain.at(r, x);
                    if (q.discrepancy < 0) continue;
                    if (forward(via[x]) <= start_offset) continue;
                    R cost = q.discrepancy + pc.discrepancy;
                    if (bend > 0 && smooth_via) cost += bend_penalty(bend, pc.d2, q.d1);
                    if (out.discrepancy < 0 || cost < out.discrepancy) {
                        out = {cost, pc.d1, q.d2};
                        succ[size_t(r) * next.columns + j] = x;
                    }
                }
            }
        }
        chain.cells.swap(next.cells);
        chain.rows = next.rows;
        chain.columns = next.columns;
    }

    // Close the cycle with the piece from the last area back to area 0.
    const std::vector<unsigned>& first_list = candidates(0);
    const estimate_table& closing = tables_[last];
    unsigned best_a = 0, best_b = 0;
    for (unsigned b = 0; b < first_list.size(); ++b) {
        for (unsigned a = 0; a < rows; ++a) {
            const piece_estimate& e = closing.at(b, a);
            if (e.discrepancy < 0) continue;
            const piece_estimate& m = chain.at(a, b);
            if (m.discrepancy < 0) continue;
            R cost = e.discrepancy + m.discrepancy;
            if (bend > 0) {
                if (smooth_[0]) cost += bend_penalty(bend, m.d1, e.d2);
                if (smooth_[last]) cost += bend_penalty(bend, m.d2, e.d1);
            }
            if (cost < best) {
                best = cost;
                best_a = a;
                best_b = b;
            }
        }
    }
    if (best == std::numeric_limits<R>::max()) return R(-1);

    junctions.push_back(first_list[best_b]);
    unsigned x = best_b;
    for (unsigned i = 1; i < count; ++i) {
        x = successor[i - 1][size_t(best_a) * candidates(i - 1).size() + x];
        junctions.push_back(candidates(i)[x]);
    }
    junctions.push_back(first_list[best_b]);
    for (size_t i = 1; i < junctions.size(); ++i)
        if (junctions[i] < junctions[i - 1]) junctions[i] += n;
    return best;
}

template <class C, class R>
const typename guided_poly_bezier_builder<C, R>::piece_estimate* guided_poly_bezier_builder<C, R>::estimated_piece(
    unsigned start, unsigned length, unsigned index) const
{
    const unsigned n = this->node_count_;
    if (tables_.empty() || index >= tables_.size() || n == 0) return nullptr;
    const std::vector<unsigned>& from = candidates(index);
    const std::vector<unsigned>& to = candidates(index + 1);
    auto a = std::find(from.begin(), from.end(), start);
    auto b = std::find(to.begin(), to.end(), (start + length - 1) % n);
    if (a == from.end() || b == to.end()) return nullptr;
    return &tables_[index].at(unsigned(b - to.begin()), unsigned(a - from.begin()));
}

template <class C, class R>
void guided_poly_bezier_builder<C, R>::smooth_junctions(const std::vector<unsigned>& junctions,
                                                        std::vector<bool>& flags) const
{
    (void)junctions;
    for (size_t i = 0; i < flags.size(); ++i) flags[i] = i < smooth_.size() ? bool(smooth_[i]) : false;
}

template class guided_poly_bezier_builder<unsigned short, float>;

}  // namespace outline
