// A closed path as a figure: exactly 256 points placed along it, its corners
// kept, rounded to the field. Shared by the ILDA import and the tracing.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/figuredata.h"
#include "figure/geometry.h"
#include "figure/tuning.h"

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
void MarkCorners(Polyline& loop, CornerRule rule = kTraceTuning.corners);

// Exactly `count` points (1 to kMostPlaced) along the closed route: corners
// kept, the rest placed for small deviation, no step longer than stepRatio
// mean steps. A route of no length gives them all at its first point; one of
// more than placedVertices vertices is simplified first (SimplifiedRoute,
// within placedSimplify where that is enough). Empty for a route that is not
// finite or a count out of range.
inline constexpr int kMostPlaced = 4096;
std::vector<QPointF> AllocatePoints(const Polyline& route, int count = kTraceTuning.points);

// The route with at most `most` vertices (and at least 3, when it has them):
// the vertex nearest the chord of its neighbours goes first, while that is
// within `tolerance` or there are too many; corners go last, the gentlest
// first. A route of over 4 * most vertices is first spaced out to about that
// many (a step of its length / (4 * most), `tolerance` at least). O(n log n).
Polyline SimplifiedRoute(const Polyline& route, size_t most, double tolerance);

// Rounded to 0..255 with no two consecutive points equal (cyclically): a point
// that would repeat its predecessor slides along its interval; failing that it
// is dropped and the longest step split; a route too short for that many
// distinct steps repeats points evenly. `points` holds kPointCount points.
void RoundToField(const std::vector<QPointF>& points, Coords& X, Coords& Y);

// All three: a closed path in field units as the figure, from the path's
// first point.
void PathToFigure(Polyline path, Coords& X, Coords& Y);

}  // namespace lp
