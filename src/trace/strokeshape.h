// The shape of the strokes: pixel staircases smoothed into curves, corners
// found and put where the straight runs beside them meet.
#pragma once

#include "trace/strokegraph.h"

namespace lp {

// Smooths every stroke of the graph (the ends of a stroke stay put), marks its
// corners (turns of 40 degrees or more within half a stroke width) and moves
// every corner and junction to the point nearest to the lines fitted to the
// strokes beside it, where thinning leaves it bent towards the inside; a free
// end goes where the centre line of a round end lies. `skeleton` is the one
// the graph was built from.
void ShapeStrokes(StrokeGraph& graph, const Skeleton& skeleton);

}  // namespace lp
