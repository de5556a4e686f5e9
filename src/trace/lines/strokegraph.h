// The centre lines as a graph: stroke ends and junctions joined by strokes.
#pragma once

#include <QPointF>
#include <vector>

#include "figure/geometry.h"
#include "trace/lines/thinning.h"

namespace lp {

struct StrokeGraph {
    struct Edge {
        int a = -1, b = -1;  // the nodes it joins; a == b for a closed stroke
        Polyline pts;        // from node a to node b, both included; corner marks the kept turns
        bool removed = false;
        double length() const;
    };
    struct Dot {
        QPointF centre;
        double radius;
    };
    std::vector<QPointF> nodes;
    std::vector<Edge> edges;
    std::vector<Dot> dots;  // drawings thinned to a single pixel
    double strokeWidth = 1;

    // The edges at each node; a closed stroke appears twice at its node.
    std::vector<std::vector<int>> incidence() const;
};

// The graph of the centre lines in mask pixel coordinates (pixel centres at
// .5): an end per line end, a node per cluster of touching junction pixels, an
// edge per run of line pixels between them, one node on each closed line.
StrokeGraph BuildStrokeGraph(const Skeleton& skeleton);

// Removes spurs, strokes from a junction to a free end shorter than
// `minLength` (the whiskers thinning grows at corners and bumps) or reaching
// just the point where the junction's two other strokes meet (the fork thinning
// leaves inside a sharp corner), and closed strokes shorter than `minLength`;
// a junction keeps at least one stroke. Nodes left with two strokes are merged
// away, so strokes run from junction to junction.
void PruneSpurs(StrokeGraph& graph, double minLength);

}  // namespace lp
