// The penalty for loss of tangent continuity at a junction.
#pragma once

#include "fitting/typedefs.h"

namespace outline {

// P times the squared sine of the angle between the tangents a (end tangent
// of the piece that ends at the junction) and b (start tangent of the piece
// that begins there); P itself when they turn by 90 degrees or more or one of
// them has zero length. Symmetric in a and b. All arithmetic in R.
template <class R>
inline R bend_penalty(R penalty, basic_point<R> a, basic_point<R> b)
{
    if (penalty == 0)
        return 0;
    if (a.x * b.x + a.y * b.y >= 0)
        return penalty;
    R q = b.y * a.x - a.y * b.x;
    return penalty * q * q / ((a.x * a.x + a.y * a.y) * (b.x * b.x + b.y * b.y));
}

}  // namespace outline
