#include "trace/route.h"

namespace lp {

JoinedRoute JoinLoops(const std::vector<Polyline>& loops) {
    JoinedRoute joined;
    for (const Polyline& loop : loops) joined.route.insert(joined.route.end(), loop.begin(), loop.end());
    joined.loops = int(loops.size());
    return joined;
}

double RouteLength(const Polyline&) {
    return 0;
}

}  // namespace lp
