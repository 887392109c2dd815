#include "fitting/grand_poly_bezier_builder.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <new>

#include "fitting/bend_penalty.h"
#include "fitting/bezier_fit.h"
#include "fitting/junction_search.h"
#include "fitting/thread_pool.h"

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
    // Out of memory, nothing changes and the step can be tried again.
    try {
        estimate_length(estimated_length_ + 1);
    } catch (const std::bad_alloc&) {
        for (std::vector<piece_estimate>& list : estimates_)
            list.resize(estimated_length_ - 3);
    }
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::estimate_length(unsigned length)
{
    const unsigned n = this->node_count_;
    const builder_params<R>& p = this->params_;

    // Every piece of this step has the same length, hence the same basis.
    piece_basis basis;
    basis.build(length, p.estimation_oversample_factor);
    std::vector<piece_estimate> step(n);
    for (std::vector<piece_estimate>& list : estimates_)
        if (list.size() == list.capacity())
            list.reserve(std::min<size_t>(n - 2, std::max<size_t>(16, 2 * list.size())));

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

template <class C, class R>
R grand_poly_bezier_builder<C, R>::find_junctions(std::vector<unsigned>& junctions)
{
    if (!this->params_.estimation)
        return find_without_estimation(junctions);
    if (estimated_length_ < 5)
        return R(-1);
    // A curve needs at least one piece; with no piece allowed there is nothing
    // to search (and the layer limit max_junctions - 1 would wrap around).
    if (max_junctions_ == 0)
        return R(-1);
    const junction_search_params p = {this->params_.sharp_bend_penalty, junction_penalty_, max_junctions_};
    return search_junctions(estimates_, this->node_count_, estimated_length_, p, junctions);
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
