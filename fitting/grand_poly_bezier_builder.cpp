#include "grand_poly_bezier_builder.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <new>

#include <boost/shared_ptr.hpp>

#include "bend_penalty.h"
#include "bezier_fit.h"
#include "thread_pool.h"

namespace outline {

template <class C, class R>
void grand_poly_bezier_builder<C, R>::reset(const nodes& closed)
{
    base::set_polyline(closed);
    estimated_length_ = 3;
    estimates_.assign(this->node_count_, std::vector<piece_estimate>());
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::set_params(const grand_params<R>& params)
{
    this->params_ = params;
    max_junctions_ = params.max_junctions;
    junction_penalty_ = params.junction_penalty;
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::estimation_step()
{
    const unsigned n = this->node_count_;
    if (estimated_length_ >= n + 1)
        return;
    const unsigned length = estimated_length_ + 1;
    const builder_params<R>& p = this->params_;

    // Every piece of this step has the same length, hence the same basis.
    piece_basis basis;
    std::vector<piece_estimate> step(n);
    try {
        basis.build(length, p.estimation_oversample_factor);
        for (std::vector<piece_estimate>& list : estimates_)
            if (list.size() == list.capacity())
                list.reserve(std::min<size_t>(n - 2, std::max<size_t>(16, 2 * list.size())));
    } catch (const std::bad_alloc&) {
        return;  // nothing changed; the step can be retried
    }

    thread_pool& pool = thread_pool::shared();
    struct scratch {
        std::vector<real_point> samples;
        std::vector<polyline_position> positions;
    };
    std::vector<scratch> workers(pool.concurrency());
    std::atomic<bool> failed{false};
    pool.parallel_for(n, 4, [&](size_t begin, size_t end, unsigned worker) {
        try {
            scratch& w = workers[worker];
            bezier_piece piece;
            for (size_t s = begin; s < end; ++s) {
                R d = fit_piece(this->real_nodes_, unsigned(s), basis, p.estimation_max_iterations,
                                p.estimation_stop_mean_discrepancy, piece, w.samples, w.positions, false);
                step[s] = {d, piece[1] - piece[0], piece[2] - piece[3]};
            }
        } catch (const std::bad_alloc&) {
            failed = true;
        }
    });
    if (failed)
        return;
    for (unsigned s = 0; s < n; ++s)
        estimates_[s].push_back(step[s]);  // capacity reserved above: cannot throw
    estimated_length_ = length;
}

template <class C, class R>
R grand_poly_bezier_builder<C, R>::find_without_estimation(std::vector<unsigned>& junctions)
{
    const unsigned n = this->node_count_;
    this->params_.rendering_same_as_estimation = false;
    const unsigned k = std::min(n / 3, max_junctions_);
    junctions.assign(k + 1, 0);
    for (unsigned i = 0; i < k; ++i)
        junctions[i] = unsigned((unsigned long long)n * i / k);
    junctions[k] = junctions[0] + n;
    return 0;
}

namespace {

// One entry of a search layer: the best chain of k + 1 pieces that ends at
// a given node and covers a given number of nodes.
template <class R>
struct chain_entry {
    R cost;                   // -1 while no chain has been recorded
    basic_point<R> first_d1;  // start tangent of the chain's first piece
    basic_point<R> last_d2;   // end tangent of the chain's last piece
};

}  // namespace

// Layer k of the search: chains of k + 1 pieces covering min_total ..
// max_total nodes. Entries are stored by the node where the chain ends, so
// that the chains one layer down that a chain can continue with (all ending
// at the same node) lie side by side.
template <class R>
struct junction_layer {
    unsigned min_total = 0, max_total = 0;
    unsigned width() const { return max_total - min_total + 1; }
    size_t index(unsigned end, unsigned total) const { return size_t(end) * width() + (total - min_total); }
    // [N * width] chain for (end node, total); freed once the next layer is built.
    std::vector<chain_entry<R>> entries;
    // [N * width] length of the chain's first piece; kept to rebuild the result.
    std::vector<unsigned> first_length;
};

template <class C, class R>
R grand_poly_bezier_builder<C, R>::find_junctions(std::vector<unsigned>& junctions)
{
    if (!this->params_.estimation)
        return find_without_estimation(junctions);
    const unsigned n = this->node_count_;
    const unsigned l = estimated_length_;
    if (l < 5)
        return R(-1);
    // A curve needs at least one piece; with no piece allowed there is nothing
    // to search (and the layer limit max_junctions - 1 would wrap around).
    if (max_junctions_ == 0)
        return R(-1);

    const R pb = this->params_.sharp_bend_penalty;
    const R pj = junction_penalty_;
    R best = std::numeric_limits<R>::max();
    unsigned best_start = 0, best_layer = 0;

    if (l == n + 1) {
        for (unsigned s = 0; s < n; ++s) {
            const piece_estimate& e = estimates_[s][n + 1 - 4];
            R cost = e.discrepancy;
            if (pb > 0)
                cost += bend_penalty(pb, e.d2, e.d1);
            if (cost < best) {
                best = cost;
                best_start = s;
                best_layer = 0;
            }
        }
    }

    typedef junction_layer<R> layer;
    std::vector<boost::shared_ptr<layer>> layers;
    try {
        boost::shared_ptr<layer> first(new layer);
        first->min_total = 4;
        first->max_total = l;
        const unsigned width = first->width();
        first->entries.resize(size_t(n) * width);
        for (unsigned end = 0; end < n; ++end) {
            for (unsigned t = 4; t <= l; ++t) {
                const unsigned s = (end + n - (t - 1) % n) % n;
                const piece_estimate& e = estimates_[s][t - 4];
                first->entries[first->index(end, t)] = {e.discrepancy, e.d1, e.d2};
            }
        }
        layers.push_back(first);

        thread_pool& pool = thread_pool::shared();
        for (unsigned k = 1; k <= max_junctions_ - 1; ++k) {
            if (R(k) * pj >= best)
                break;
            const layer& prev = *layers.back();
            boost::shared_ptr<layer> cur(new layer);
            cur->min_total = prev.min_total + 3;
            cur->max_total = std::min(n + 1, prev.max_total + l - 1);
            if (cur->min_total >= n + 1)
                break;
            const unsigned width = cur->width(), prev_width = prev.width();
            cur->entries.resize(size_t(n) * width);
            cur->first_length.resize(size_t(n) * width);

            pool.parallel_for(n, 8, [&](size_t end_begin, size_t end_end, unsigned) {
                for (unsigned end = unsigned(end_begin); end < end_end; ++end) {
                    const chain_entry<R>* rest = &prev.entries[size_t(end) * prev_width];
                    chain_entry<R>* out = &cur->entries[size_t(end) * width];
                    unsigned* out_length = &cur->first_length[size_t(end) * width];
                    for (unsigned t = cur->min_total; t <= cur->max_total; ++t) {
                        const unsigned s = (end + n - (t - 1) % n) % n;
                        const piece_estimate* e = estimates_[s].data();
                        const bool closes = t == n + 1;
                        const int low = int(t) - int(prev.max_total) + 1;
                        const unsigned jmin = low < 4 ? 4u : unsigned(low);
                        const unsigned jmax = std::min(l, t - prev.min_total + 1);
                        chain_entry<R> chosen = {R(-1), {0, 0}, {0, 0}};
                        unsigned chosen_length = 0;
                        for (unsigned j = jmin; j <= jmax; ++j) {
                            const piece_estimate& piece = e[j - 4];
                            const chain_entry<R>& r = rest[t - j + 1 - prev.min_total];
                            R cost = r.cost + piece.discrepancy;
                            // Bend penalties are never negative: a chain already no
                            // cheaper than the recorded one cannot replace it.
                            if (!(chosen.cost < 0) && !(cost < chosen.cost))
                                continue;
                            if (pb > 0) {
                                cost += bend_penalty(pb, piece.d2, r.first_d1);
                                if (closes)
                                    cost += bend_penalty(pb, r.last_d2, piece.d1);
                            }
                            if (chosen.cost < 0 || cost < chosen.cost) {
                                chosen = {cost, piece.d1, r.last_d2};
                                chosen_length = j;
                            }
                        }
                        out[t - cur->min_total] = chosen;
                        out_length[t - cur->min_total] = chosen_length;
                    }
                }
            });

            if (cur->max_total == n + 1) {
                const R junction_cost = R(k) * pj;
                for (unsigned s = 0; s < n; ++s) {
                    const R total = junction_cost + cur->entries[cur->index(s, n + 1)].cost;
                    if (total < best) {
                        best = total;
                        best_start = s;
                        best_layer = k;
                    }
                }
            }
            layers.back()->entries = std::vector<chain_entry<R>>();  // only the newest layer is read on
            layers.push_back(cur);
        }
    } catch (const std::bad_alloc&) {
        junctions.clear();
        return R(-1);
    }

    junctions.clear();
    if (best == std::numeric_limits<R>::max())
        return R(-1);

    junctions.push_back(best_start);
    unsigned current = best_start, remaining = n + 1;
    for (unsigned k = best_layer; k >= 1; --k) {
        const layer& lay = *layers[k];
        const unsigned end = (current % n + remaining - 1) % n;
        const unsigned len = lay.first_length[lay.index(end, remaining)];
        remaining -= len - 1;
        current += len - 1;
        junctions.push_back(current);
    }
    junctions.push_back(best_start + n);
    return best;
}

template <class C, class R>
const typename grand_poly_bezier_builder<C, R>::piece_estimate*
grand_poly_bezier_builder<C, R>::estimated_piece(unsigned start, unsigned length, unsigned index) const
{
    (void)index;
    if (start >= estimates_.size() || length < 4 || length - 4 >= estimates_[start].size())
        return nullptr;
    return &estimates_[start][length - 4];
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::smooth_junctions(const std::vector<unsigned>& junctions,
                                                       std::vector<bool>& flags) const
{
    const size_t m = flags.size();
    const unsigned n = this->node_count_;
    if (!this->params_.estimation || m == 0 || junctions.size() < m + 1 || n == 0) {
        std::fill(flags.begin(), flags.end(), false);
        return;
    }
    auto piece = [&](size_t i) {
        return estimated_piece(junctions[i] % n, junctions[i + 1] - junctions[i] + 1, unsigned(i));
    };
    const piece_estimate* prev = piece(m - 1);
    for (size_t i = 0; i < m; ++i) {
        const piece_estimate* cur = piece(i);
        flags[i] = prev && cur && bend_penalty(R(1), prev->d2, cur->d1) < R(0.5);
        prev = cur;
    }
}

template class grand_poly_bezier_builder<unsigned short, float>;

}  // namespace outline
