// The corners of a path: where it turns sharply.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/geometry.h"
#include "figure/placementtuning.h"

namespace lp {

// The functions below leave a path that is not AllFinite alone: no corners,
// no points, the figure in the centre.

// The corners of a path: the points where it turns by rule.angleDegrees or
// more between the points rule.span before and after it along the path (a
// closed path shorter than four spans: a quarter of its length each way),
// only the sharpest point of each turn, where a point `marked` already counts
// as the sharpest. An open path has no corners within a span of its ends.
// Ascending, the marked points left out; none for a path of under 3 points.
std::vector<size_t> FindCorners(const std::vector<QPointF>& path, bool closed, CornerRule rule,
                                const std::vector<bool>& marked = {});

// Marks the corners of a closed loop, those marked before kept.
void MarkCorners(Polyline& loop, CornerRule rule = kPlacementTuning.corners);

}  // namespace lp
