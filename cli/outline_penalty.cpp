#include "cli/outline_penalty.h"

#include <algorithm>

#include "cli/picture_fit.h"

namespace cli {

float small_outline_penalty(float penalty, unsigned nodes)
{
    return penalty * float(std::min(nodes, full_penalty_nodes)) / float(full_penalty_nodes);
}

void scale_small_outline_penalties(picture_fit& job)
{
    for (std::size_t i = 0; i < job.size(); ++i) {
        outline::fitting_session& s = job.session(i);
        if (!s.pins().empty()) continue;
        outline::grand_params<float> params = s.params();
        params.junction_penalty = small_outline_penalty(params.junction_penalty, s.node_count());
        s.set_params(params);  // a finite penalty of 0 or more, as the rules want
    }
}

}  // namespace cli
