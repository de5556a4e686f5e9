// Line drawings traced along the middle of their strokes.
#pragma once

#include <QRect>
#include <vector>

#include "figure/geometry.h"
#include "trace/ink/mask.h"
#include "trace/lines/strokegraph.h"

namespace lp {

// One closed walk per connected drawing of the graph, covering every stroke:
// a closed stroke once, the others twice at most, the strokes walked twice
// chosen as the shortest that pair up the odd junctions (the route-inspection
// problem: an exact matching up to 16 odd junctions, a greedy one improved by
// swaps up to 200; beyond, in a tangle, every stroke twice), then an Euler
// circuit (Hierholzer). A dot is a small ring.
std::vector<Polyline> CoverStrokes(const StrokeGraph& graph);

// The ink's centre lines as one closed walk per connected drawing, in mask
// pixel coordinates (pixel (x, y) spans x..x+1, y..y+1): thinned, turned into
// a graph, spurs shorter than `minSpurPx` pruned (negative: the estimated
// stroke width), smoothed, corners and stroke ends marked as corners.
std::vector<Polyline> LineLoops(const InkMask& mask, double minSpurPx = -1);

// The mask without its pieces of ink (8-connected) of fewer than `minPixels` pixels.
InkMask WithoutSpecks(const InkMask& mask, double minPixels);

// The smallest rectangle holding the ink, in mask pixels; empty without ink.
QRect InkBounds(const InkMask& mask);

}  // namespace lp
