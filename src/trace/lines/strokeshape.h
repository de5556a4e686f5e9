// The shape of the strokes: pixel staircases smoothed into curves, corners
// found, and corners and junctions put where the strokes beside them meet.
#pragma once

#include "trace/lines/strokegraph.h"

namespace lp {

// Smooths every stroke of the graph (the ends of a stroke stay put), marks its
// corners (FindCorners, within 3/4 of a stroke width: kTraceTuning) and moves
// every corner and junction, which thinning leaves bent towards the inside, to
// where the tangents of the curves fitted to the strokes beside it meet; a free
// end goes where the centre line of a round end lies. `skeleton` is the one
// the graph was built from.
void ShapeStrokes(StrokeGraph& graph, const Skeleton& skeleton);

}  // namespace lp
