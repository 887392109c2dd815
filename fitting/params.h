// Parameters of poly-Bezier building, with their defaults.
#pragma once

namespace outline {

// The part of the parameters that every builder holds and rendering reads.
template <class R>
struct builder_params {
    R sharp_bend_penalty = R(10.0);            // max penalty per junction for a bend; <= 0 switches it off
    bool estimation = true;                    // search over estimated pieces; false places junctions without search
    unsigned estimation_max_iterations = 10;   // iteration limit of each piece fit while estimating
    R estimation_stop_mean_discrepancy = R(0.01);
    R estimation_oversample_factor = R(1.0);   // samples per node while estimating
    bool rendering_same_as_estimation = false; // reuse estimated control points (ignored while fit_whole_poly_bezier)
    unsigned rendering_max_iterations = 100;
    R rendering_stop_mean_discrepancy = R(0.0001);
    R rendering_oversample_factor = R(2.0);
    bool fit_whole_poly_bezier = true;         // fit all pieces together in one least-squares problem
};

// All twelve fields; the last two serve the free junction search only.
template <class R>
struct grand_params : builder_params<R> {
    unsigned max_junctions = 50;               // most pieces the curve may have
    R junction_penalty = R(10.0);              // added per junction after the first
};

}  // namespace outline
