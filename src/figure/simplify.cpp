// Fewer vertices for a closed route: placing points looks at every vertex
// between two of them, so a route of very many is thinned out first: spaced
// out in one pass to a few times as many as wanted, then the vertices that
// matter least dropped one at a time.
#include "figure/simplify.h"

#include <cmath>
#include <queue>

#include "figure/geometry.h"

namespace lp {

namespace {

// In one pass, only vertices at least `step` from the last one kept: a corner
// too near it moves the mark there. Every vertex left out lies within `step`
// of the route kept.
Polyline Spaced(const Polyline& route, double step) {
    Polyline kept;
    for (const RoutePoint& r : route)
        if (kept.empty() || Distance(kept.back().p, r.p) >= step)
            kept.push_back(r);
        else
            kept.back().corner = kept.back().corner || r.corner;
    return kept;
}

}  // namespace

Polyline SimplifiedRoute(const Polyline& input, size_t most, double tolerance) {
    most = std::max<size_t>(most, 3);
    // At most about 4 * most vertices for the finer work below.
    const double length = PathLength(input, false);
    const Polyline route =
        input.size() > 4 * most ? Spaced(input, std::max(tolerance, length / double(4 * most))) : input;
    const size_t n = route.size();
    if (n <= 3) return route;
    std::vector<size_t> prev(n), next(n), version(n, 0);
    std::vector<bool> gone(n, false);
    for (size_t i = 0; i < n; ++i) prev[i] = (i + n - 1) % n, next[i] = (i + 1) % n;
    // A plain vertex costs its distance from its neighbours' chord; a corner
    // goes only when the count demands it, the gentlest first.
    constexpr double kCorner = 1e300;
    auto cost = [&](size_t i) {
        const QPointF a = route[prev[i]].p, b = route[i].p, c = route[next[i]].p;
        return route[i].corner ? kCorner * (1 + TurnAt(a, b, c) / 4) : SegmentDistance(b, a, c);
    };
    using Item = std::tuple<double, size_t, size_t>;  // cost, vertex, version
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (size_t i = 0; i < n; ++i) queue.push({cost(i), i, 0});
    for (size_t left = n; left > 3 && !queue.empty();) {
        const auto [c, i, v] = queue.top();
        if (left <= most && c > tolerance) break;
        queue.pop();
        if (gone[i] || v != version[i]) continue;
        gone[i] = true;
        --left;
        next[prev[i]] = next[i];
        prev[next[i]] = prev[i];
        for (const size_t j : {prev[i], next[i]}) queue.push({cost(j), j, ++version[j]});
    }
    Polyline kept;
    for (size_t i = 0; i < n; ++i)
        if (!gone[i]) kept.push_back(route[i]);
    return kept;
}

}  // namespace lp
