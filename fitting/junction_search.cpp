#include "fitting/junction_search.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "fitting/bend_penalty.h"
#include "fitting/float_runs.h"
#include "fitting/quick_curve_price.h"
#include "fitting/thread_pool.h"

namespace outline {

namespace {

const float no_curve = std::numeric_limits<float>::max();  // the search's "nothing found yet"
const float infinite = std::numeric_limits<float>::infinity();

// Node indices around the closed polyline of N nodes: a run of `nodes`
// consecutive nodes (both ends counted, at most N + 1) that ends at node
// `end` starts at start_of(end, nodes), and one that starts at `start` ends
// at end_of(start, nodes); results are below N.
struct node_cycle {
    unsigned n;
    unsigned start_of(unsigned end, unsigned nodes) const { return (end % n + n - (nodes - 1) % n) % n; }
    unsigned end_of(unsigned start, unsigned nodes) const { return (start % n + nodes - 1) % n; }
};

// The float just below x towards zero, as std::nextafter(x, 0.0f) gives it
// (the search asks for it for every entry, where the library call shows).
inline float next_down(float x)
{
    if (x == 0 || x != x) return x == 0 ? 0.0f : x;
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    --bits;  // one step less in magnitude, for either sign
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

// The entries of layer k that end at one node: the best chains of k + 1
// pieces covering min_total .. max_total nodes, by falling total. The chains
// that a chain continues with after its first piece end at the same node as
// the chain itself, in the layer below, and their totals fall as the first
// piece grows, so they are read front to back. Hence each end node goes
// through the layers on its own, with two rows of at most N + 1 entries
// per thread instead of a whole layer of N rows.
struct layer_row {
    unsigned min_total = 0, max_total = 0;
    unsigned width() const { return max_total - min_total + 1; }
    size_t index(unsigned total) const { return max_total - total; }
    std::vector<float> cost;  // [width] chain cost; infinite once the chain is out of play
    // [width] start tangent of the chain's first piece (x and y apart, so
    // that runs of them load as vectors) and end tangent of its last piece.
    std::vector<float> first_x, first_y;
    std::vector<real_vector> last_d2;
    unsigned alive_low = 1;   // smallest total of an open chain still in play
    unsigned alive_high = 0;  // largest such total (below alive_low when there is none)
    bool any_alive() const { return alive_low <= alive_high; }
    void size_to(unsigned low, unsigned high)
    {
        min_total = low;
        max_total = high;
        cost.resize(width());
        first_x.resize(width());
        first_y.resize(width());
        last_d2.resize(width());
    }
    real_vector first_d1(size_t at) const { return {first_x[at], first_y[at]}; }
    void set_tangents(size_t at, real_vector first, real_vector last)
    {
        first_x[at] = first.x;
        first_y[at] = first.y;
        last_d2[at] = last;
    }
};

// A closed chain cheaper than those met before it at its end node and than
// the walks' shared bound: the search chooses among these the curve the
// layer-by-layer programme chooses.
struct closing_chain {
    float total;  // with the junction penalties
    unsigned layer;
    unsigned end;  // where it starts and ends
};

// The lengths of the first pieces of one end node's chains, layer by layer,
// to rebuild the cheapest curve.
struct first_lengths {
    std::vector<unsigned> max_total;           // [layer]
    std::vector<std::vector<unsigned>> table;  // [layer][max_total - total]; 0 out of play
};

// One worker's rows and sums.
struct walk_scratch {
    layer_row prev, cur;
    std::vector<float> partial;  // [L + 1]
};

// The smallest partial cost c from which fl(junction_cost + c) reaches
// `limit`: a chain whose cost has reached it is no cheaper than the limit,
// whatever is added to it later (float addition is monotone and no addend
// is negative).
float useless_from(float junction_cost, float limit)
{
    if (!(limit < infinite)) return infinite;
    if (junction_cost >= limit) return 0;
    float c = std::max(0.0f, limit - junction_cost);
    while (c > 0 && junction_cost + std::nextafter(c, 0.0f) >= limit) c = std::nextafter(c, 0.0f);
    while (junction_cost + c < limit) c = std::nextafter(c, infinite);
    return c;
}

// The copies of the estimates' numbers that a search reads in runs, kept by
// each thread from one search to the next: a new block of a few megabytes
// for every search costs more in page faults than the search of a fully
// estimated outline of a few hundred nodes takes, and the program searches
// again on every parameter change.
struct search_copies {
    std::vector<float> discrepancy, end_x, end_y, bent;
};

search_copies& thread_copies()
{
    static thread_local search_copies copies;
    return copies;
}

class layered_search {
public:
    layered_search(const std::vector<std::vector<piece_estimate>>& estimates, unsigned n, unsigned l,
                   const grand_params<float>& p)
        : params_(p),
          copies_(thread_copies()),
          estimates_(estimates),
          node_count_(n),
          estimated_length_(l),
          cycle_{n},
          bend_penalty_(p.sharp_bend_penalty),
          junction_penalty_(p.junction_penalty),
          max_junctions_(p.max_junctions)
    {
    }

    float run(std::vector<unsigned>& junctions);

private:
    const piece_estimate& piece(unsigned start, unsigned length) const
    {
        return estimates_[start % node_count_][length - 4];
    }
    float bend(real_vector a, real_vector b) const { return bend_penalty(bend_penalty_, a, b); }

    bool well_behaved() const;
    void search(float limit, bool bounded, const std::vector<unsigned>& first_ends);
    void walk_end(unsigned end, float limit, bool bounded, walk_scratch& rows, std::vector<closing_chain>& found,
                  std::atomic<float>* shared_best, first_lengths* lengths, unsigned last_layer) const;
    void first_row(unsigned end, float limit, layer_row& row) const;
    void next_row_plain(unsigned end, const layer_row& prev, layer_row& cur, unsigned* first_length) const;
    void next_row_bounded(unsigned end, const layer_row& prev, layer_row& cur, unsigned k, float limit, float* partial,
                          unsigned* first_length) const;

    const grand_params<float>& params_;
    search_copies& copies_;
    const std::vector<std::vector<piece_estimate>>& estimates_;  // [N][L - 3]: estimates_[s][len - 4]
    const unsigned node_count_;                                  // N
    const unsigned estimated_length_;                            // L: the longest piece estimated
    const node_cycle cycle_;
    const float bend_penalty_;      // sharp_bend_penalty; <= 0: no bend penalties
    const float junction_penalty_;  // added per junction after the first
    const unsigned max_junctions_;  // most pieces of the curve, >= 1
    // The discrepancies alone, for the sums, and the end tangents'
    // coordinates, for the bend penalties, at flat(s, len): all start nodes
    // in one block each, so that the entries of a row, whose start nodes
    // follow one another, read them at a steady stride.
    std::vector<float>& discrepancy_ = copies_.discrepancy;
    std::vector<float>& end_x_ = copies_.end_x;
    std::vector<float>& end_y_ = copies_.end_y;
    size_t flat(unsigned start, unsigned length) const { return size_t(start) * (estimated_length_ - 3) + length - 4; }
    // A lower bound of what covering the n nodes that end at `end` costs
    // with pieces, each piece with its junction penalty, bend penalties left
    // out (1 node: 0; 2 or 3: none). Kept per end node as the least bound
    // of each run of cover_run_ consecutive node counts, so that it takes
    // about N * L values, not N * N: cover_[end * cover_runs_ + n / cover_run_].
    std::vector<float> cover_;
    unsigned cover_run_ = 1, cover_runs_ = 0;
    std::vector<unsigned> cover_slot_;  // [nodes]: nodes / cover_run_, looked up rather than divided per entry
    float cover(unsigned end, unsigned nodes) const { return cover_[size_t(end) * cover_runs_ + cover_slot_[nodes]]; }
    void prepare_cover();
    float open_threshold(unsigned k, unsigned start, unsigned total, float limit, float useless) const;

    float one_piece_best_ = no_curve;
    unsigned one_piece_start_ = 0;
    float best_ = no_curve;
    unsigned best_start_ = 0, best_layer_ = 0;
    float best_limit_ = infinite;  // the search that found the best curve
    bool best_bounded_ = false;
};

// Every cost term a non-negative number: discrepancies and bend penalties
// are, unless a fit went wrong, and the junction penalty must not be
// negative. Only then can chains be left out and candidates skipped by
// their partial sums.
bool layered_search::well_behaved() const
{
    if (!(junction_penalty_ >= 0) || !std::isfinite(junction_penalty_) || !std::isfinite(bend_penalty_)) return false;
    for (unsigned s = 0; s < node_count_; ++s) {
        for (unsigned len = 4; len <= estimated_length_; ++len) {
            const piece_estimate& e = estimates_[s][len - 4];
            if (!(e.discrepancy >= 0) || !std::isfinite(e.discrepancy) || !std::isfinite(e.d1.x) ||
                !std::isfinite(e.d1.y) || !std::isfinite(e.d2.x) || !std::isfinite(e.d2.y))
                return false;
        }
    }
    return true;
}

// Least costs of covering a stretch of the outline with pieces, for every
// end node and length: the part of a closed curve that a chain still lacks
// costs at least this much, which lets the search drop chains that cannot
// lead to a curve below its limit long before they close. Each end node's
// costs are worked out over all lengths in a row of its own; only the
// least of each run of lengths is kept.
//
// Every piece of that part meets another piece where it ends (the next one,
// or the chain's first piece), so where pieces are short beside the outline
// its price includes the least bend penalty it can have there: against any
// piece that starts at its end node. Bend
// penalties are most of what separates a curve from the bare sum of its
// pieces on outlines with corners; without them the bound lets many more
// chains stay in play.
void layered_search::prepare_cover()
{
    const unsigned n = node_count_, stride = node_count_ + 1;
    cover_run_ = std::max(1u, (stride + estimated_length_ - 1) / estimated_length_);
    cover_runs_ = stride / cover_run_ + 1;
    cover_.assign(size_t(n) * cover_runs_, infinite);
    cover_slot_.resize(stride + 1);
    for (unsigned nodes = 0; nodes <= stride; ++nodes) cover_slot_[nodes] = nodes / cover_run_;
    thread_pool& pool = thread_pool::shared();
    const std::vector<float>* piece_price = &discrepancy_;
    std::vector<float>& bent = copies_.bent;
    // The least bends take about N * L * L / 8 steps: worth it where pieces
    // are short beside the outline (a long outline estimated part of the
    // way, where the walks are long), not on a fully estimated one.
    if (bend_penalty_ > 0 && 4 * size_t(estimated_length_) <= node_count_) {
        bent = discrepancy_;
        piece_price = &bent;
        const unsigned longest = std::min(estimated_length_, n), kinds = longest - 3;
        std::vector<std::vector<float>> tangents(pool.concurrency(), std::vector<float>(2 * size_t(kinds)));
        pool.parallel_for(n, 8, [&](size_t node_begin, size_t node_end, unsigned worker) {
            float* start_x = tangents[worker].data();
            float* start_y = start_x + kinds;
            for (unsigned y = unsigned(node_begin); y < node_end; ++y) {
                for (unsigned len = 4; len <= longest; ++len) {
                    start_x[len - 4] = piece(y, len).d1.x;
                    start_y[len - 4] = piece(y, len).d1.y;
                }
                // The pieces that end at y, against the pieces that start there.
                for (unsigned len = 4; len <= longest; ++len) {
                    const unsigned x = cycle_.start_of(y, len);
                    const real_vector d2 = piece(x, len).d2;
                    const float least = least_bend(bend_penalty_, d2.x, d2.y, start_x, start_y, kinds);
                    // A hair below the least, so that no rounding of the sums
                    // can lift the bound above a true cost.
                    if (std::isfinite(least) && least > 0) bent[flat(x, len)] += least * (1 - 1e-4f);
                }
            }
        });
    }
    std::vector<std::vector<float>> scratch(pool.concurrency(), std::vector<float>(estimated_length_ + 1));
    std::vector<std::vector<float>> rows(pool.concurrency(), std::vector<float>(stride));
    pool.parallel_for(n, 8, [&](size_t end_begin, size_t end_end, unsigned worker) {
        float* partial = scratch[worker].data();
        float* row = rows[worker].data();  // row[N + 1 - nodes]
        for (unsigned end = unsigned(end_begin); end < end_end; ++end) {
            std::fill(row, row + stride, infinite);
            row[n] = 0;  // a single node needs no piece
            for (unsigned nodes = 4; nodes + 2 <= n; ++nodes) {
                const unsigned s = cycle_.start_of(end, nodes);
                const unsigned last = std::min(estimated_length_, nodes);
                // First piece of j = 4 .. last nodes, then the rest (nodes - j + 1) ending at `end`.
                const float least =
                    sum_and_minimum(&row[n + 1 - (nodes - 3)], &(*piece_price)[flat(s, 4)], last - 3, partial);
                row[n + 1 - nodes] = least + junction_penalty_;
            }
            float* kept = &cover_[size_t(end) * cover_runs_];
            for (unsigned nodes = 1; nodes <= n + 1; ++nodes) {
                float& least = kept[nodes / cover_run_];
                least = std::min(least, row[n + 1 - nodes]);
            }
        }
    });
}

// The partial cost from which an open chain of layer k that starts at
// `start` and covers `total` nodes can only lead to curves at or above
// `limit`: its junction penalties, its cost and the least cost of the rest
// of the outline (the N + 2 - total nodes that end where the chain starts;
// a curve that holds the chain starts where the chain ends) reach the limit. The bound holds in exact arithmetic; the
// small margin keeps it on the safe side of the rounding of float sums.
float layered_search::open_threshold(unsigned k, unsigned start, unsigned total, float limit, float useless) const
{
    if (!(limit < infinite) || cover_.empty()) return useless;
    const double rest = cover(start, node_count_ + 2 - total);
    const double room = double(limit) * (1 + 1e-4) - double(float(k) * junction_penalty_) - rest;
    if (!(room < double(useless))) return useless;
    return room <= 0 ? 0.0f : float(room);  // rounding is well inside the margin
}

// Layer 0 at one end node: single pieces. With a limit, a piece is in play
// only while a chain that ends with it (one junction more) can stay below
// the limit. The closed loops of N + 1 nodes never continue a chain: they
// are not counted in play.
void layered_search::first_row(unsigned end, float limit, layer_row& row) const
{
    row.size_to(4, estimated_length_);
    const bool bounded = limit < infinite;
    const float useless = useless_from(junction_penalty_, limit);
    unsigned low = 1, high = 0;
    for (unsigned t = 4; t <= estimated_length_; ++t) {
        const unsigned start = cycle_.start_of(end, t);
        const piece_estimate& e = piece(start, t);
        const size_t at = row.index(t);
        row.cost[at] = e.discrepancy;
        row.set_tangents(at, e.d1, e.d2);
        if (bounded && !(e.discrepancy < (t <= node_count_ ? open_threshold(0, start, t, limit, useless) : useless))) {
            row.cost[at] = infinite;
        } else if (t <= node_count_) {
            if (high < low) low = t;
            high = t;
        }
    }
    row.alive_low = low;
    row.alive_high = high;
}

// The plain programme, for costs that are not all well-behaved
// numbers: every candidate in ascending first-piece length, the first one
// taken, then only a strictly cheaper one.
void layered_search::next_row_plain(unsigned end, const layer_row& prev, layer_row& cur, unsigned* first_length) const
{
    const unsigned n = node_count_;
    for (unsigned t = cur.min_total; t <= cur.max_total; ++t) {
        const unsigned s = cycle_.start_of(end, t);
        const piece_estimate* e = estimates_[s].data();
        const bool closes = t == n + 1;
        const int from = int(t) - int(prev.max_total) + 1;
        const unsigned jmin = from < 4 ? 4u : unsigned(from);
        const unsigned jmax = std::min(estimated_length_, t - prev.min_total + 1);
        float chosen = -1.0f;
        real_vector chosen_first = {0, 0}, chosen_last = {0, 0};
        unsigned chosen_length = 0;
        for (unsigned j = jmin; j <= jmax; ++j) {
            const piece_estimate& pc = e[j - 4];
            const size_t r = prev.index(t - j + 1);
            float cost = prev.cost[r] + pc.discrepancy;
            if (bend_penalty_ > 0) {
                cost += bend(pc.d2, prev.first_d1(r));
                if (closes) cost += bend(prev.last_d2[r], pc.d1);
            }
            if (chosen < 0 || cost < chosen) {
                chosen = cost;
                chosen_first = pc.d1;
                chosen_last = prev.last_d2[r];
                chosen_length = j;
            }
        }
        const size_t at = cur.index(t);
        cur.cost[at] = chosen;
        cur.set_tangents(at, chosen_first, chosen_last);
        if (first_length) first_length[at] = chosen_length;
    }
}

// The same choice for well-behaved costs, faster. Per entry, the partial
// sums (rest of the chain plus first piece, before bend penalties) of all
// candidates are formed at once; bend penalties only add, so only the
// candidates whose partial sum does not exceed the full cost of the
// cheapest-looking one can be the first cheapest, and only those are priced
// in full, in ascending order with the written comparison. Chains that can
// only lead to curves at or above `limit` are left out (infinite cost).
void layered_search::next_row_bounded(unsigned end, const layer_row& prev, layer_row& cur, unsigned k, float limit,
                                      float* partial, unsigned* first_length) const
{
    const unsigned n = node_count_;
    // A chain that does not close yet gets at least one more junction.
    const float useless_open = useless_from(float(k + 1) * junction_penalty_, limit);
    const float useless_closed = useless_from(float(k) * junction_penalty_, limit);
    unsigned low = 1, high = 0;
    // Only totals from 3 above the lowest chain in play to L - 1 above the
    // highest can continue one; the others stay out of play.
    std::fill(cur.cost.begin(), cur.cost.end(), infinite);
    if (first_length) std::fill(first_length, first_length + cur.width(), 0u);
    const unsigned from_total = std::max(cur.min_total, prev.alive_low + 3);
    const unsigned to_total = std::min(cur.max_total, prev.alive_high + estimated_length_ - 1);
    // s: where the chain of t nodes that ends at `end` starts; one node
    // further back for each node more.
    unsigned s = cycle_.start_of(end, from_total);
    for (unsigned t = from_total; t <= to_total; ++t, s = s == 0 ? n - 1 : s - 1) {
        const size_t at = cur.index(t);
        const bool closes = t == n + 1;
        // Candidates: first pieces jmin .. jmax long whose rest is in play.
        const int from = int(t) - int(prev.max_total) + 1;
        const int first = std::max({4, from, int(t) + 1 - int(prev.alive_high)});
        const int last =
            std::min({int(estimated_length_), int(t - prev.min_total + 1), int(t) + 1 - int(prev.alive_low)});
        if (first > last) continue;
        const unsigned count = unsigned(last - first + 1);
        const size_t rest0 = prev.index(t - first + 1);  // rest of candidate `first`; then consecutive
        const float least = sum_and_minimum(&prev.cost[rest0], &discrepancy_[flat(s, first)], count, partial);
        const float useless = closes ? useless_closed : open_threshold(k, s, t, limit, useless_open);
        if (!(least < useless)) continue;

        const piece_estimate* e = &estimates_[s][first - 4];
        const size_t e0 = flat(s, first);
        auto full_cost = [&](unsigned i) {
            float cost = partial[i];
            if (bend_penalty_ > 0) {
                cost += bend(real_vector{end_x_[e0 + i], end_y_[e0 + i]}, prev.first_d1(rest0 + i));
                if (closes) cost += bend(prev.last_d2[rest0 + i], e[i].d1);
            }
            return cost;
        };
        // The first candidate with the least partial sum bounds the cost
        // of the first cheapest one; a candidate whose partial sum is
        // above that bound (or above the last cost still in play) costs
        // more in full and cannot be it. Among the others, the first with
        // the least full cost is the one the ascending scan of the plain
        // programme keeps.
        const float out_of_play = next_down(useless);
        float cutoff = std::min(full_cost(first_at_most(partial, 0, count, least)), out_of_play);
        float chosen = -1.0f;
        unsigned chosen_index = 0;
        if (bend_penalty_ > 0 && !closes) {
            chosen_index = first_cheapest_bent(partial, cutoff, bend_penalty_, &end_x_[e0], &end_y_[e0],
                                               &prev.first_x[rest0], &prev.first_y[rest0], count, &chosen);
        } else {
            // The closing entry (one per row) and costs without bends: the
            // scan itself, tightening the bound as cheaper ones are met.
            for (unsigned i = first_at_most(partial, 0, count, cutoff); i < count;
                 i = first_at_most(partial, i + 1, count, cutoff)) {
                const float cost = full_cost(i);
                if (chosen < 0 || cost < chosen) {
                    chosen = cost;
                    chosen_index = i;
                    cutoff = std::min(next_down(cost), out_of_play);
                }
            }
        }
        if (!(chosen < useless)) continue;
        cur.cost[at] = chosen;
        cur.set_tangents(at, e[chosen_index].d1, prev.last_d2[rest0 + chosen_index]);
        if (first_length) first_length[at] = unsigned(first) + chosen_index;
        if (!closes) {
            if (high < low) low = t;
            high = t;
        }
    }
    cur.alive_low = low;
    cur.alive_high = high;
}

// The least float above a closed chain's total: a bound that leaves out only
// chains dearer than that chain, never one that costs the same.
float just_above(float total)
{
    return std::nextafter(total, infinite);
}

// Lowers the shared bound to `bound` unless it is lower already.
void lower_shared(std::atomic<float>& shared, float bound)
{
    float seen = shared.load(std::memory_order_relaxed);
    while (bound < seen && !shared.compare_exchange_weak(seen, bound, std::memory_order_relaxed)) {
    }
}

// One end node through the layers, as far as the closed chains met and the
// limit let any chain stay in play: the closed chains ending there that are
// cheaper than all before them (and than the shared bound, if any) go to
// `found`; with `lengths`, the first pieces' lengths of layers
// 1 .. last_layer are kept too. The shared bound is just above the cheapest
// closed chain that any walk has met so far: it leaves out only chains
// dearer than a known curve.
void layered_search::walk_end(unsigned end, float limit, bool bounded, walk_scratch& rows,
                              std::vector<closing_chain>& found, std::atomic<float>* shared_best,
                              first_lengths* lengths, unsigned last_layer) const
{
    const unsigned n = node_count_;
    float best = one_piece_best_;
    first_row(end, limit, rows.prev);
    for (unsigned k = 1; k <= max_junctions_ - 1 && k <= last_layer; ++k) {
        if (shared_best) best = std::min(best, shared_best->load(std::memory_order_relaxed));
        if (float(k) * junction_penalty_ >= best) break;
        const float in_play = std::min(limit, best);
        if (bounded && float(k) * junction_penalty_ >= in_play) break;  // every curve from here on costs at least that
        const unsigned low = rows.prev.min_total + 3;
        const unsigned high = std::min(n + 1, rows.prev.max_total + estimated_length_ - 1);
        if (low >= n + 1) break;
        rows.cur.size_to(low, high);
        unsigned* first_length = nullptr;
        if (lengths) {
            lengths->max_total.push_back(high);
            lengths->table.emplace_back(rows.cur.width());
            first_length = lengths->table.back().data();
        }
        if (bounded)
            next_row_bounded(end, rows.prev, rows.cur, k, in_play, rows.partial.data(), first_length);
        else
            next_row_plain(end, rows.prev, rows.cur, first_length);
        if (high == n + 1) {
            const float total = float(k) * junction_penalty_ + rows.cur.cost[rows.cur.index(n + 1)];
            if (total < best) {
                best = total;
                found.push_back({total, k, end});
                if (shared_best) lower_shared(*shared_best, just_above(total));
            }
        }
        std::swap(rows.prev, rows.cur);
        if (bounded && !rows.prev.any_alive()) break;  // no chain can lead below the limit any more
    }
}

// Every end node walks the layers on its own, the nodes of `first_ends`
// first (the junctions of a good curve: their walks soon give a tight bound
// to the others); then the closed chains are taken as the layer-by-layer
// programme takes them: layer by layer, end node by end node, each one only
// when strictly cheaper than the best before it, until the junction
// penalties of a layer alone reach the best (or the limit). A chain a walk
// does not keep is no cheaper than one kept before it or than a closed chain
// met elsewhere, so it would not have been taken either; the cheapest curve
// is never left out, as the bounds lie above closed chains met, never on
// them; and chains a walk keeps in play longer than the programme would
// lead only to curves no cheaper than its best, or than the limit, so the
// choice is the same. Without well-behaved costs (not bounded), each walk
// has only its own chains to go by.
void layered_search::search(float limit, bool bounded, const std::vector<unsigned>& first_ends)
{
    std::vector<unsigned> order;
    order.reserve(node_count_);
    std::vector<bool> first(node_count_, false);
    for (unsigned j : first_ends) {
        if (!first[j % node_count_]) order.push_back(j % node_count_);
        first[j % node_count_] = true;
    }
    for (unsigned end = 0; end < node_count_; ++end)
        if (!first[end]) order.push_back(end);

    std::atomic<float> shared_best(one_piece_best_);
    std::atomic<float>* shared = bounded ? &shared_best : nullptr;
    thread_pool& pool = thread_pool::shared();
    std::vector<walk_scratch> rows(pool.concurrency());
    std::vector<std::vector<closing_chain>> found(pool.concurrency());
    for (walk_scratch& r : rows) r.partial.resize(estimated_length_ + 1);
    pool.parallel_for(node_count_, 2, [&](size_t begin, size_t end, unsigned worker) {
        for (size_t i = begin; i < end; ++i)
            walk_end(order[i], limit, bounded, rows[worker], found[worker], shared, nullptr, max_junctions_);
    });

    std::vector<closing_chain> chains;
    for (const std::vector<closing_chain>& f : found) chains.insert(chains.end(), f.begin(), f.end());
    std::sort(chains.begin(), chains.end(), [](const closing_chain& a, const closing_chain& b) {
        return a.layer != b.layer ? a.layer < b.layer : a.end < b.end;
    });
    best_ = one_piece_best_;
    best_start_ = one_piece_start_;
    best_layer_ = 0;
    best_limit_ = limit;
    best_bounded_ = bounded;
    size_t c = 0;
    for (unsigned k = 1; c < chains.size(); ++k) {
        if (float(k) * junction_penalty_ >= best_) break;
        if (bounded && float(k) * junction_penalty_ >= std::min(limit, best_)) break;
        for (; c < chains.size() && chains[c].layer == k; ++c) {
            if (chains[c].total < best_) {
                best_ = chains[c].total;
                best_start_ = chains[c].end;
                best_layer_ = k;
            }
        }
    }
}

float layered_search::run(std::vector<unsigned>& junctions)
{
    if (estimated_length_ == node_count_ + 1) {
        for (unsigned s = 0; s < node_count_; ++s) {
            const piece_estimate& e = estimates_[s][node_count_ + 1 - 4];
            float cost = e.discrepancy;
            if (bend_penalty_ > 0) cost += bend(e.d2, e.d1);
            if (cost < one_piece_best_) {
                one_piece_best_ = cost;
                one_piece_start_ = s;
            }
        }
    }

    bool done = false;
    if (well_behaved()) {
        const size_t size = size_t(node_count_) * (estimated_length_ - 3);
        discrepancy_.resize(size);
        for (unsigned s = 0; s < node_count_; ++s)
            for (unsigned len = 4; len <= estimated_length_; ++len)
                discrepancy_[flat(s, len)] = estimates_[s][len - 4].discrepancy;
        // The bound first: its copy with the least bends and the tangents'
        // copies are not needed at once, which keeps a first search's peak lower.
        prepare_cover();
        end_x_.resize(size);
        end_y_.resize(size);
        for (unsigned s = 0; s < node_count_; ++s) {
            for (unsigned len = 4; len <= estimated_length_; ++len) {
                end_x_[flat(s, len)] = estimates_[s][len - 4].d2.x;
                end_y_[flat(s, len)] = estimates_[s][len - 4].d2.y;
            }
        }
        // A little above the price of a known curve: what the search finds
        // below it is exact; should it find nothing there, search again
        // without a limit.
        std::vector<unsigned> quick_junctions;
        float limit = std::min(
            one_piece_best_, quick_curve_price(estimates_, node_count_, estimated_length_, params_, &quick_junctions));
        if (limit < no_curve) {
            limit = std::nextafter(limit + limit * 0.01f, infinite);
            search(limit, true, quick_junctions);
            done = best_ < limit;
        }
        if (!done) {
            search(infinite, true, quick_junctions);
            done = true;
        }
    }
    if (!done) search(infinite, false, {});

    junctions.clear();
    if (best_ == no_curve) return -1.0f;
    // The chain's first pieces, walked again from where it ends (and starts):
    // every piece of a closed chain ends at that node's entries.
    first_lengths lengths;
    if (best_layer_ > 0) {
        walk_scratch rows;
        rows.partial.resize(estimated_length_ + 1);
        // Bounded just above the curve: no entry of its chain is left out.
        std::vector<closing_chain> again;
        std::atomic<float> bound(just_above(best_));
        walk_end(best_start_, best_limit_, best_bounded_, rows, again, best_bounded_ ? &bound : nullptr, &lengths,
                 best_layer_);
    }
    junctions.push_back(best_start_);
    unsigned current = best_start_, remaining = node_count_ + 1;
    for (unsigned k = best_layer_; k >= 1; --k) {
        const unsigned len = lengths.table[k - 1][lengths.max_total[k - 1] - remaining];
        remaining -= len - 1;
        current += len - 1;
        junctions.push_back(current);
    }
    junctions.push_back(best_start_ + node_count_);
    return best_;
}

}  // namespace

float search_junctions(const std::vector<std::vector<piece_estimate>>& estimates, unsigned n, unsigned l,
                       const grand_params<float>& params, std::vector<unsigned>& junctions)
{
    try {
        layered_search search(estimates, n, l, params);
        return search.run(junctions);
    } catch (const std::bad_alloc&) {
        junctions.clear();
        return -1.0f;
    }
}

}  // namespace outline
