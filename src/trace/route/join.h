// Closed loops joined into one closed route the beam draws.
#pragma once

#include <vector>

#include "figure/geometry.h"

namespace lp {

struct JoinedRoute {
    Polyline route;
    double bridgeLength = 0;  // the length of the joining bridges, one way
    int loops = 0;
};

// Joins closed loops into one closed route: minimum spanning tree over the
// loops, each edge at the nearest pair of points (a k-d tree), then an Euler
// tour; bridges are drawn there and back.
JoinedRoute JoinLoops(const std::vector<Polyline>& loops);

}  // namespace lp
