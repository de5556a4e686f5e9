// How points are placed along a closed path to make the figure, for the
// tracing and the ILDA import alike. Lengths are field units.
#pragma once

#include <cstddef>

#include "figure/figuredata.h"

namespace lp {

// Where a path turns sharply: by `angleDegrees` or more between the points
// `span` before and after a point along it.
struct CornerRule {
    double angleDegrees = 45;
    double span = 1.5;
};

struct PlacementTuning {
    CornerRule corners;             // the corners kept: 45 degrees within 1.5 each way
    int points = kPointCount;       // points placed along the route: the figure's
    double unseenDeviation = 0.15;  // deviations below this cannot be seen beside the rounding
    double stepRatio = 2;           // no step is longer than this many mean steps
    size_t placedVertices = 4000;   // a route of more vertices is simplified before placing
    double placedSimplify = 0.1;    // ... within this
};

inline constexpr PlacementTuning kPlacementTuning{};

}  // namespace lp
