// One cubic Bezier piece and its value at a curve parameter t in [0, 1]:
// B(t) = u^3 P0 + 3u^2t P1 + 3ut^2 P2 + t^3 P3 with u = 1 - t.
#pragma once

#include <array>

#include "fitting/typedefs.h"

namespace outline {

typedef std::array<real_point, 4> bezier_piece;  // P0, P1, P2, P3

// The weights of the control points in B(t) and in B'(t) at one parameter.
struct bezier_weights {
    float b0, b1, b2, b3;  // u^3, 3u^2t, 3ut^2, t^3
    float d0, d1, d2;      // 3u^2, 6ut, 3t^2: B' = d0 (P1 - P0) + d1 (P2 - P1) + d2 (P3 - P2)
};

// The weights at t, each product formed left to right as in
// u*u*u*P0 + 3*u*u*t*P1 + 3*u*t*t*P2 + t*t*t*P3, all in float.
inline bezier_weights bezier_weights_at(float t)
{
    const float u = 1 - t;
    bezier_weights w;
    w.b0 = u * u * u;
    w.b1 = 3 * u * u * t;
    w.b2 = 3 * u * t * t;
    w.b3 = t * t * t;
    w.d0 = 3 * u * u;
    w.d1 = 6 * u * t;
    w.d2 = 3 * t * t;
    return w;
}

// B(t) and B'(t) and the weights of P1 and P2 at t; null outputs are skipped.
void evaluate(const bezier_piece& piece, float t, real_point* point, real_vector* derivative = nullptr,
              float* weight1 = nullptr, float* weight2 = nullptr);

}  // namespace outline
