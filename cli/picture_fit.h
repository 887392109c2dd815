// Fitting every outline of a picture: one fitting session per outline, the
// outlines shared out over the engine's thread pool, one progress over the
// whole job.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fitting/fitting_session.h"
#include "fitting/typedefs.h"

namespace cli {

class picture_fit {
public:
    // Told the work done and the whole job's work (in node-lengths of the
    // estimated pieces), from any worker thread but one call at a time.
    typedef std::function<void(unsigned long long done, unsigned long long total)> progress_fn;

    // One session per closed outline, each with the parameters.
    picture_fit(const std::vector<std::vector<outline::node>>& outlines, const outline::grand_params<float>& params);

    std::size_t size() const { return sessions_.size(); }
    outline::fitting_session& session(std::size_t i) { return *sessions_[i]; }
    const outline::fitting_session& session(std::size_t i) const { return *sessions_[i]; }

    // The outline a pin belongs to: the one with the most nodes inside the
    // circle, the first of them on a tie; size() when it holds none.
    std::size_t outline_of_pin(outline::real_point centre, float radius) const;

    // Runs every session as fitting_session::run does, estimating the
    // outlines without pins up to max_length (0: the whole outline); with
    // `enough`, an outline too long to be covered by max_junctions pieces of
    // that length is estimated a little further (see length_for). The
    // largest outlines start first; with several outlines each one runs on
    // one thread of the pool. The results are in the order of the outlines.
    std::vector<outline::session_run> run(unsigned max_length, bool enough, const progress_fn& progress = nullptr);

    // The length to estimate an outline of n nodes to: max_length, or, when
    // that leaves fewer than a quarter more nodes than max_junctions pieces
    // need at least, the length that leaves them that much room.
    static unsigned length_for(unsigned n, unsigned max_junctions, unsigned max_length);

private:
    unsigned long long planned_work(std::size_t i, unsigned max_length) const;

    std::vector<std::unique_ptr<outline::fitting_session>> sessions_;
};

}  // namespace cli
