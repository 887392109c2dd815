#include "fitting/poly_bezier_builder_base.h"

#include <new>

#include "fitting/piece_basis.h"
#include "fitting/piece_fit.h"
#include "fitting/whole_fit.h"

namespace outline {

template <class C, class R>
void poly_bezier_builder_base<C, R>::set_polyline(const nodes& closed)
{
    if (closed.empty()) {
        clear();
        return;
    }
    node_count_ = unsigned(closed.size() - 1);
    nodes_.assign(closed.begin(), closed.end() - 1);
    nodes_.insert(nodes_.end(), closed.begin(), closed.end() - 1);
    real_nodes_.assign(nodes_);
}

template <class C, class R>
void poly_bezier_builder_base<C, R>::clear()
{
    node_count_ = 0;
    nodes_.clear();
    real_nodes_.clear();
}

namespace {

// A junction list that rendering can walk: strictly increasing, closing
// after exactly N nodes, every index inside the doubled polyline.
bool walkable(const std::vector<unsigned>& j, unsigned n, size_t node_total)
{
    if (j.empty() || j[0] >= node_total) return false;
    if (j.size() == 1) return true;
    for (size_t i = 1; i < j.size(); ++i)
        if (j[i] <= j[i - 1]) return false;
    return j.back() == j[0] + n && j.back() < node_total;
}

}  // namespace

template <class C, class R>
R poly_bezier_builder_base<C, R>::render(std::vector<real_point>& poly_bezier)
{
    // The engine reports failure by a negative result, never by throwing;
    // running out of memory is no curve.
    try {
        return render_curve(poly_bezier);
    } catch (const std::bad_alloc&) {
        poly_bezier.clear();
        return R(-1);
    }
}

template <class C, class R>
R poly_bezier_builder_base<C, R>::render_curve(std::vector<real_point>& poly_bezier)
{
    const builder_params<R>& p = params();
    poly_bezier.clear();

    std::vector<unsigned> junctions;
    const junction_search_result<R> found = find_junctions(junctions);
    const R result = found.cost;
    if (result < 0) return result;
    if (!walkable(junctions, node_count_, nodes_.size()))
        return junctions.size() == 1 && nodes_.empty() ? result : R(-1);

    const unsigned n = node_count_;
    const unsigned m = unsigned(junctions.size() - 1);
    const bool whole = p.fit_whole_poly_bezier;
    const bool reuse = p.rendering_same_as_estimation && !whole && found.estimates_apply;
    const fit_limits limits = {p.rendering_max_iterations, p.rendering_stop_mean_discrepancy};

    polyline_samples whole_samples, samples;
    piece_basis basis;
    bezier_piece piece;

    poly_bezier.reserve(3 * size_t(m) + 1);
    poly_bezier.push_back(to_real(nodes_[junctions[0]]));
    for (unsigned k = 0; k < m; ++k) {
        const unsigned a = junctions[k], b = junctions[k + 1];
        const piece_estimate* e = reuse ? estimated_piece(a % n, b - a + 1, k) : nullptr;
        if (e) {
            poly_bezier.push_back(to_real(nodes_[a]) + e->d1);
            poly_bezier.push_back(to_real(nodes_[b]) + e->d2);
        } else {
            if (basis.length != b - a + 1) basis.build(b - a + 1, p.rendering_oversample_factor);
            fit_piece(real_nodes_, a, basis, limits, piece, samples);
            poly_bezier.push_back(piece[1]);
            poly_bezier.push_back(piece[2]);
            if (whole) {
                whole_samples.points.insert(whole_samples.points.end(), samples.points.begin(),
                                            samples.points.end() - 1);
                whole_samples.positions.insert(whole_samples.positions.end(), samples.positions.begin(),
                                               samples.positions.end() - 1);
            }
        }
        poly_bezier.push_back(to_real(nodes_[b]));
    }

    if (whole && m > 0) {
        std::vector<bool> flags(m);
        smooth_junctions(junctions, flags);
        fit_whole({n, nodes_, junctions, flags}, p.rendering_oversample_factor, limits, poly_bezier, whole_samples);
    }
    return result;
}

template class poly_bezier_builder_base<unsigned short, float>;

}  // namespace outline
