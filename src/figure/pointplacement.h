// A closed path as a figure: exactly 256 points placed along it, its corners
// kept, rounded to the field. Shared by the ILDA import and the tracing.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/figuredata.h"
#include "figure/geometry.h"
#include "figure/placementtuning.h"

namespace lp {

// The functions below leave a path that is not AllFinite alone: no corners,
// no points, the figure in the centre.

// Exactly `count` points (1 to kMostPlaced) along the closed route: corners
// kept, the rest placed for small deviation, no step longer than stepRatio
// mean steps. A route of no length gives them all at its first point; one of
// more than placedVertices vertices is simplified first (SimplifiedRoute,
// within placedSimplify where that is enough). Empty for a route that is not
// finite or a count out of range.
inline constexpr int kMostPlaced = 4096;
std::vector<QPointF> AllocatePoints(const Polyline& route, int count = kPlacementTuning.points);

// Corners marked, points placed and rounded (RoundToField): a closed path in field units as the figure, from
// the path's first point.
void PathToFigure(Polyline path, Coords& X, Coords& Y);

}  // namespace lp
