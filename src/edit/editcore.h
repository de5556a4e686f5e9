// Computations behind the mouse handlers of the editing field: pixel to field
// conversion, point search, area selection and the selection move. Plain
// functions on the shared editor data; no widgets.
#pragma once

#include <cstdint>

#include "figure/figuredata.h"

namespace lp {

// Largest distance on either axis at which the search catches a point.
inline constexpr int kSearchReach = 3;

// Paint-box pixel to field unit: division by 2 truncating toward zero, then
// clamped to 0..255. Also used for positions far outside the field while the
// mouse is captured.
int FieldFromPixel(int p);

// Index of the point within reach of (fx, fy), or -1 when there is none. Only
// points 0..127 are searched when half128 is set. directDown prefers the lowest
// matching index, otherwise the highest one wins.
int SearchPoint(const Coords& X, const Coords& Y, uint8_t fx, uint8_t fy, bool half128, bool directDown);

// Normalises the area rectangle (corner 1 top left) and rebuilds the mask of all
// 256 points inside it, bounds included.
void SelectArea(EditorState& s, const Coords& X, const Coords& Y, Coords& SelectMask);

// Moves the selected points and the area rectangle from DragStartX/Y to
// (fx, fy), X first, then Y. The rectangle stops at the field border and the
// points with it; a selected point already at the border stays there. The drag
// start always follows the cursor, so moving back moves the selection at once.
void SdvigXY(EditorState& s, Coords& X, Coords& Y, const Coords& SelectMask, int fx, int fy);

// Moves the selected points and the area rectangle by (dx, dy) as SdvigXY
// does, leaving the drag start alone.
void MoveSelection(EditorState& s, Coords& X, Coords& Y, const Coords& SelectMask, int dx, int dy);

// Moves point c by (dx, dy), each coordinate clamped to 0..255. A c that is no
// point index changes nothing.
void NudgePoint(Coords& X, Coords& Y, int c, int dx, int dy);

// True when the figure differs from LastX/LastY, the copy of the last redraw.
bool FigureChanged(const FigureData& d);

// Takes the change-detection copy: FigureX into LastX, FigureY into LastY.
void TakeLastCopy(FigureData& d);

}  // namespace lp
