// Where a route runs beside itself: lines the beam draws closer than a few
// units merge into one smudge, so a route that does so over much of its
// length (an edge drawn twice, a page of letters) cannot be read.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/figuredata.h"

namespace lp {

// The share of the closed route through the points that runs parallel to
// another stretch of it (not its own neighbourhood) within `reach` units; a
// stretch walked back over itself within `retrace` (a bridge there and back,
// a stroke walked both ways) does not count. `where` receives the places
// that count, every half unit.
double CrowdedShare(const Coords& X, const Coords& Y, double reach = 3, double retrace = 0.8,
                    std::vector<QPointF>* where = nullptr);

}  // namespace lp
