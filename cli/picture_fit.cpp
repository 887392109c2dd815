#include "cli/picture_fit.h"

#include <algorithm>
#include <mutex>
#include <numeric>

#include "fitting/pin_rules.h"
#include "fitting/thread_pool.h"

namespace cli {

picture_fit::picture_fit(const std::vector<std::vector<outline::node>>& outlines,
                         const outline::grand_params<float>& params)
{
    for (const std::vector<outline::node>& closed : outlines) {
        sessions_.emplace_back(new outline::fitting_session);
        sessions_.back()->set_outline(closed);
        sessions_.back()->set_params(params);
    }
}

std::size_t picture_fit::outline_of_pin(outline::real_point centre, float radius) const
{
    std::size_t best = size(), most = 0;
    for (std::size_t i = 0; i < size(); ++i) {
        const std::size_t inside = outline::nodes_in_circle(sessions_[i]->outline(), centre, radius).size();
        if (inside > most) {
            most = inside;
            best = i;
        }
    }
    return best;
}

// The estimation of pieces of up to L nodes fits N pieces of each length:
// its work grows with N times the sum of the lengths. The search and the
// rendering count as a few more steps.
unsigned long long picture_fit::planned_work(std::size_t i, unsigned max_length) const
{
    const outline::fitting_session& s = *sessions_[i];
    const unsigned long long n = s.node_count();
    if (!s.pins().empty() || !s.params().estimation) return 8 * n;
    const unsigned long long target = max_length ? std::min(max_length, s.full_length()) : s.full_length();
    const unsigned long long lengths = target >= 4 ? (target * (target + 1)) / 2 - 6 : 0;
    return n * lengths + 8 * n;
}

unsigned picture_fit::length_for(unsigned n, unsigned max_junctions, unsigned max_length)
{
    if (max_length == 0 || max_junctions == 0) return max_length;
    // m pieces of up to L nodes cover m (L - 1) nodes.
    const unsigned long long room = (5ull * n + 4ull * max_junctions - 1) / (4ull * max_junctions) + 1;
    return unsigned(std::max<unsigned long long>(max_length, std::min<unsigned long long>(room, n + 1ull)));
}

std::vector<outline::session_run> picture_fit::run(unsigned max_length, bool enough, const progress_fn& progress)
{
    std::vector<unsigned> lengths(size(), max_length);
    if (enough)
        for (std::size_t i = 0; i < size(); ++i)
            lengths[i] = length_for(sessions_[i]->node_count(), sessions_[i]->params().max_junctions, max_length);
    std::vector<outline::session_run> runs(size());
    std::vector<std::size_t> order(size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return sessions_[a]->node_count() > sessions_[b]->node_count();
    });
    unsigned long long total = 0, done = 0;
    for (std::size_t i = 0; i < size(); ++i) total += planned_work(i, lengths[i]);
    std::mutex progress_mutex;
    auto report = [&](unsigned long long work) {
        if (!progress) return;
        std::lock_guard<std::mutex> lock(progress_mutex);
        done += work;
        progress(std::min(done, total), total);
    };

    auto fit_one = [&](std::size_t i) {
        outline::fitting_session& s = *sessions_[i];
        const unsigned long long n = s.node_count();
        unsigned long long counted = 0;
        auto step = [&](unsigned length, unsigned) {
            counted += n * length;
            report(n * length);
            return true;
        };
        runs[i] = s.run(step, lengths[i]);
        report(planned_work(i, lengths[i]) - std::min(counted, planned_work(i, lengths[i])));
    };
    if (size() == 1) {
        fit_one(0);  // the steps themselves share the pool out
    } else {
        // Largest outline first: each one's steps run on its thread, and a
        // thread that runs out of outlines helps with the steps of those
        // still running, so the largest one does not finish alone.
        outline::thread_pool::shared().parallel_for(size(), 1, [&](std::size_t begin, std::size_t end, unsigned) {
            for (std::size_t k = begin; k < end; ++k) fit_one(order[k]);
        });
    }
    return runs;
}

}  // namespace cli
