// The route the beam draws: closed loops joined into one closed route, then
// exactly 256 points placed along it and rounded to the field.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/figuredata.h"

namespace lp {

struct RoutePoint {
    QPointF p;
    bool corner = false;  // a sharp turn that the point allocation keeps
};
using Polyline = std::vector<RoutePoint>;  // a closed loop: the last point joins the first

struct JoinedRoute {
    Polyline route;
    double bridgeLength = 0;  // the length of the joining bridges, one way
    int loops = 0;
};

// Joins closed loops into one closed route: minimum spanning tree over the
// loops, each edge at the nearest pair of points (spatial grid), then an Euler
// tour; bridges are drawn there and back.
JoinedRoute JoinLoops(const std::vector<Polyline>& loops);

// Exactly `count` points along the closed route: corners kept, the rest placed
// for small deviation, no step longer than twice the mean step.
std::vector<QPointF> AllocatePoints(const Polyline& route, int count = 256);

// Rounded to 0..255 with no two consecutive points equal (cyclically): a point
// that would repeat its predecessor slides along its interval; failing that it
// is dropped and the longest step split; a route too short for that many
// distinct steps repeats points evenly. `points` holds PointCount points.
void RoundToField(const std::vector<QPointF>& points, Coords& X, Coords& Y);

// The length of a closed route.
double RouteLength(const Polyline& route);

}  // namespace lp
