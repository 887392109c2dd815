#include "fitting/grand_poly_bezier_builder.h"

#include <algorithm>
#include <new>

#include "fitting/bend_penalty.h"
#include "fitting/junction_search.h"
#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
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
step_outcome grand_poly_bezier_builder<C, R>::estimation_step()
{
    const unsigned n = this->node_count_;
    if (estimated_length_ >= n + 1) return step_outcome::complete;
    try {
        estimate_length(estimated_length_ + 1);
    } catch (const std::bad_alloc&) {
        // The lists only grow once every fit of the step is done.
        return step_outcome::not_enough_memory;
    }
    return step_outcome::grown;
}

template <class C, class R>
bool grand_poly_bezier_builder<C, R>::reserve_length(unsigned length)
{
    const unsigned n = this->node_count_;
    const size_t entries = length > 3 ? std::min<size_t>(n - 2, length - 3) : 0;
    try {
        for (std::vector<piece_estimate>& list : estimates_)
            if (list.capacity() < entries) list.reserve(entries);
    } catch (const std::bad_alloc&) {
        return false;  // the lists reserved so far only have more room
    }
    return true;
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::estimate_length(unsigned length)
{
    const unsigned n = this->node_count_;
    const grand_params<R>& p = params_;

    // Every piece of this step has the same length, hence the same basis.
    piece_basis basis;
    basis.build(length, p.estimation_oversample_factor);
    const fit_limits limits = {p.estimation_max_iterations, p.estimation_stop_mean_discrepancy};
    std::vector<piece_estimate> step(n);
    for (std::vector<piece_estimate>& list : estimates_)
        if (list.size() == list.capacity())
            list.reserve(std::min<size_t>(n - 2, std::max<size_t>(16, 2 * list.size())));

    // A failure in any fit (no memory, a fault the pool's guard caught)
    // comes back from parallel_for before anything below has changed.
    thread_pool& pool = thread_pool::shared();
    std::vector<polyline_samples> scratch(pool.concurrency());
    pool.parallel_for(n, 4, [&](size_t begin, size_t end, unsigned worker) {
        for (size_t s = begin; s < end; ++s)
            step[s] = estimate_piece(this->real_nodes_, unsigned(s), basis, limits, scratch[worker]);
    });
    for (unsigned s = 0; s < n; ++s) estimates_[s].push_back(step[s]);  // capacity reserved above: cannot throw
    estimated_length_ = length;
}

// Without estimation: min(N / 3, max_junctions) pieces from evenly spaced nodes.
template <class C, class R>
void grand_poly_bezier_builder<C, R>::place_without_search(std::vector<unsigned>& junctions) const
{
    const unsigned n = this->node_count_;
    const unsigned k = std::min(n / 3, params_.max_junctions);
    junctions.assign(k + 1, 0);
    for (unsigned i = 0; i < k; ++i) junctions[i] = unsigned((unsigned long long)n * i / k);
    junctions[k] = junctions[0] + n;
}

template <class C, class R>
junction_search_result<R> grand_poly_bezier_builder<C, R>::find_junctions(std::vector<unsigned>& junctions)
{
    if (!params_.estimation) {
        place_without_search(junctions);
        return {R(0), false};
    }
    if (estimated_length_ < 5) return {R(-1), true};
    // A curve needs at least one piece; with no piece allowed there is nothing
    // to search (and the layer limit max_junctions - 1 would wrap around).
    if (params_.max_junctions == 0) return {R(-1), true};
    return {search_junctions(estimates_, this->node_count_, estimated_length_, params_, junctions), true};
}

template <class C, class R>
const typename grand_poly_bezier_builder<C, R>::piece_estimate* grand_poly_bezier_builder<C, R>::estimated_piece(
    unsigned start, unsigned length, unsigned index) const
{
    (void)index;
    if (start >= estimates_.size() || length < 4 || length - 4 >= estimates_[start].size()) return nullptr;
    return &estimates_[start][length - 4];
}

template <class C, class R>
void grand_poly_bezier_builder<C, R>::smooth_junctions(const std::vector<unsigned>& junctions,
                                                       std::vector<bool>& flags) const
{
    const size_t m = flags.size();
    const unsigned n = this->node_count_;
    if (!params_.estimation || m == 0 || junctions.size() < m + 1 || n == 0) {
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
