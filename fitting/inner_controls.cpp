#include "fitting/inner_controls.h"

namespace outline {

double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, const piece_basis& basis)
{
    const unsigned m = basis.samples;
    inner_sums sums(samples[0], samples[m - 1]);
    for (unsigned j = 1; j + 1 < m; ++j) sums.add(basis.inner[j], samples[j]);
    return sums.solve(piece, basis);
}

double fit_inner_controls(bezier_piece& piece, const std::vector<real_point>& samples, float step, float start)
{
    if (samples.size() < 2) return 0;
    piece_basis basis;
    basis.build_inner(unsigned(samples.size()), step, start);
    return fit_inner_controls(piece, samples, basis);
}

}  // namespace outline
