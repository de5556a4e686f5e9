// The route the beam draws: closed loops joined into one closed route, then
// exactly 256 points placed along it and rounded to the field
// (AllocatePoints and RoundToField, shared with the ILDA import).
#pragma once

#include <QRectF>
#include <QTransform>
#include <vector>

#include "figure/geometry.h"

namespace lp {

struct TracePart;

struct JoinedRoute {
    Polyline route;
    double bridgeLength = 0;  // the length of the joining bridges, one way
    int loops = 0;
};

// Joins closed loops into one closed route: minimum spanning tree over the
// loops, each edge at the nearest pair of points (a k-d tree), then an Euler
// tour; bridges are drawn there and back.
JoinedRoute JoinLoops(const std::vector<Polyline>& loops);

// The smallest rectangle holding the loops' points; empty for none.
QRectF LoopBounds(const std::vector<Polyline>& loops);
// Scales `bounds` uniformly so that its longer side spans `size`, centred on the field's centre.
QTransform FitTransform(const QRectF& bounds, int size);
// Makes the bounding box of the loops span `size` exactly.
void FitLoops(std::vector<Polyline>& loops, int size);

// Sorts parts by weight, the heaviest first, keeping holes pointing at their
// parts, and fills in their lengths and bounds.
void RankParts(std::vector<TracePart>& parts);

}  // namespace lp
