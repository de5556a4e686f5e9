// Fewer vertices for a long route, its corners kept longest.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/geometry.h"

namespace lp {

// The route with at most `most` vertices (and at least 3, when it has them):
// the vertex nearest the chord of its neighbours goes first, while that is
// within `tolerance` or there are too many; corners go last, the gentlest
// first. A route of over 4 * most vertices is first spaced out to about that
// many (a step of its length / (4 * most), `tolerance` at least). O(n log n).
Polyline SimplifiedRoute(const Polyline& route, size_t most, double tolerance);

}  // namespace lp
