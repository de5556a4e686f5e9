// Points rounded to the field's whole units.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/figuredata.h"

namespace lp {

// Rounded to 0..255 with no two consecutive points equal (cyclically): a point
// that would repeat its predecessor slides along its interval; failing that it
// is dropped and the longest step split; a route too short for that many
// distinct steps repeats points evenly. `points` holds kPointCount points.
void RoundToField(const std::vector<QPointF>& points, Coords& X, Coords& Y);

}  // namespace lp
