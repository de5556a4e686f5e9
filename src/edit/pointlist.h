// Operations on the point sequence as a whole: inserting and deleting a point
// (the figure keeps its 256 points), moving the start of the contour and
// limiting the step between neighbours. Plain functions; no widgets.
#pragma once

#include "figure/figuredata.h"

namespace lp {

// Position of the offset bar at which an inserted point lies on its copy.
inline constexpr int kInsertOffsetZero = 5;

// Inserts a copy of point c after it; the last point is lost. Only for c below
// 253 does anything shift. Point c then moves by (offset - 5) on both axes,
// wrapping modulo 256. A c that is no point index (nothing picked) changes nothing.
void InsertPoint(Coords& X, Coords& Y, int c, int offset);

// Deletes point c; the last point then occurs twice. Only for c below 253.
void DeletePoint(Coords& X, Coords& Y, int c);

// Moves the start of the contour by one point: forward makes the old point 1
// point 0 and the old point 0 point 255; backward makes the old point 255 point 0.
void RotatePoints(Coords& X, Coords& Y, bool forward);

// Limits the step between neighbours to d (1..12) on each axis on its own:
// eleven passes over the pairs 0-1 .. 254-255 and then the closing pair 255-0,
// each pulling the later point of a pair to within d of the earlier one.
// Coordinates stay between a point's old value and its predecessor's.
void NormalPoints(Coords& X, Coords& Y, int d);

// The same for one axis.
void NormalAxis(Coords& v, int d);

}  // namespace lp
