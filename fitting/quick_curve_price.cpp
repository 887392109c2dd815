#include "fitting/quick_curve_price.h"

#include <algorithm>
#include <limits>

#include "fitting/bend_penalty.h"

namespace outline {

namespace {

// Closed chains of estimated pieces and what the search's programme makes
// them cost.
struct closed_chains {
    const std::vector<std::vector<piece_estimate>>& estimates;  // [N][L - 3]: estimates[s][len - 4]
    unsigned node_count;                                        // N
    float sharp_bend_penalty;                                   // <= 0: no bend penalties
    float junction_penalty;

    const piece_estimate& piece(unsigned start, unsigned length) const
    {
        return estimates[start % node_count][length - 4];
    }
    float bend(real_vector a, real_vector b) const { return bend_penalty(sharp_bend_penalty, a, b); }
    float value(const std::vector<unsigned>& j) const;
};

// The cost the programme gives the closed chain with junctions j[0] < ... <
// j[p] = j[0] + N when it chooses exactly that chain: built from the last
// piece backwards, with the same float additions.
float closed_chains::value(const std::vector<unsigned>& j) const
{
    const unsigned p = unsigned(j.size() - 1);
    const piece_estimate& last = piece(j[p - 1], j[p] - j[p - 1] + 1);
    float cost = last.discrepancy;
    if (p == 1) return sharp_bend_penalty > 0 ? cost + bend(last.d2, last.d1) : cost;
    real_vector first_d1 = last.d1;
    for (unsigned i = p - 1; i-- > 0;) {
        const piece_estimate& e = piece(j[i], j[i + 1] - j[i] + 1);
        cost = cost + e.discrepancy;
        if (sharp_bend_penalty > 0) {
            cost += bend(e.d2, first_d1);
            if (i == 0) cost += bend(last.d2, e.d1);
        }
        first_d1 = e.d1;
    }
    return float(p - 1) * junction_penalty + cost;
}

}  // namespace

float quick_curve_price(const std::vector<std::vector<piece_estimate>>& estimates, unsigned n, unsigned l,
                        const grand_params<float>& params, std::vector<unsigned>* junctions)
{
    if (junctions) junctions->clear();
    const closed_chains chains = {estimates, n, params.sharp_bend_penalty, params.junction_penalty};
    struct candidate {
        float value;
        std::vector<unsigned> junctions;
    };
    std::vector<candidate> tried;
    const unsigned most = std::min(params.max_junctions, (n - 1) / 3);
    for (unsigned p = 2; p <= most; ++p) {
        if (!tried.empty() && float(p - 1) * params.junction_penalty >= tried.front().value) break;
        if ((n + p - 1) / p + 1 > l) continue;  // pieces longer than the estimation reaches
        for (unsigned rotation = 0; rotation < 2; ++rotation) {
            std::vector<unsigned> j(p + 1);
            const unsigned offset = rotation * (n / p) / 2;
            for (unsigned i = 0; i <= p; ++i) j[i] = offset + unsigned((unsigned long long)n * i / p);
            tried.push_back({chains.value(j), j});
            std::sort(tried.begin(), tried.end(),
                      [](const candidate& a, const candidate& b) { return a.value < b.value; });
        }
    }
    float price = std::numeric_limits<float>::infinity();
    for (size_t c = 0; c < tried.size() && c < 3; ++c) {
        std::vector<unsigned> j = tried[c].junctions;
        const unsigned p = unsigned(j.size() - 1);
        float value = tried[c].value;
        // Move one junction by +-step while that helps, then halve the step.
        for (unsigned step = std::max(1u, n / (4 * p));; step /= 2) {
            bool moved = true;
            for (int pass = 0; moved && pass < 50; ++pass) {
                moved = false;
                for (unsigned i = 1; i < p; ++i) {
                    for (int sign = -1; sign <= 1; sign += 2) {
                        const long x = long(j[i]) + sign * long(step);
                        if (x < long(j[i - 1]) + 3 || x > long(j[i + 1]) - 3 || x - long(j[i - 1]) + 1 > long(l) ||
                            long(j[i + 1]) - x + 1 > long(l))
                            continue;
                        const unsigned old = j[i];
                        j[i] = unsigned(x);
                        const float v = chains.value(j);
                        if (v < value) {
                            value = v;
                            moved = true;
                        } else {
                            j[i] = old;
                        }
                    }
                }
            }
            if (step <= 1) break;
        }
        if (value < price) {
            price = value;
            if (junctions) *junctions = j;
        }
    }
    return price;
}

}  // namespace outline
