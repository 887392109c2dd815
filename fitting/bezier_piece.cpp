#include "fitting/bezier_piece.h"

namespace outline {

namespace {

// Both coordinates at once in one register pair: every lane performs the
// same operations in the same order as the scalar formula, so the results
// are the same bits.
typedef float float2 __attribute__((vector_size(8)));

inline float2 pack(real_point p)
{
    return float2{p.x, p.y};
}
inline real_point unpack(float2 v)
{
    return {v[0], v[1]};
}

}  // namespace

void evaluate(const bezier_piece& piece, float t, real_point* point, real_vector* derivative, float* weight1,
              float* weight2)
{
    const bezier_weights w = bezier_weights_at(t);
    const float2 p0 = pack(piece[0]), p1 = pack(piece[1]), p2 = pack(piece[2]), p3 = pack(piece[3]);
    if (point) *point = unpack(w.b0 * p0 + w.b1 * p1 + w.b2 * p2 + w.b3 * p3);
    if (derivative) *derivative = unpack(w.d0 * (p1 - p0) + w.d1 * (p2 - p1) + w.d2 * (p3 - p2));
    if (weight1) *weight1 = w.b1;
    if (weight2) *weight2 = w.b2;
}

}  // namespace outline
