// Template generators: plain computations that overwrite the figure arrays with a
// complete contour. They take their control values as arguments, allocate nothing,
// draw nothing and never fail; undo, the status label and redraw belong to the form.
#pragma once

#include <array>
#include <cstdint>

#include "figure/figuredata.h"

namespace lp {

struct BytePoint {
    uint8_t x, y;
};

// Point at `angle` whole degrees on the ellipse of width sizeA and height sizeB around
// the centre. Angle 0 lies below the centre, 90 to its right (counter-clockwise on screen).
// Exactly as in 80-bit extended precision on every processor: the sign of the tiny sines at
// 180 and 360 is visible.
BytePoint Sinus(int32_t angle, uint8_t sizeA, uint8_t sizeB);

// Ellipse / Lissajous figure. With `half` set writes only the arc of points 0..127.
void GreateCucle(Coords& X, Coords& Y, uint8_t sx, uint8_t sy, int32_t opt, int32_t mode, bool half);
// Square frame along the border of the field, 64 points a side.
void GreateBegin(Coords& X, Coords& Y);
// Horizontal line at height sx.
void GreateLines(Coords& X, Coords& Y, uint8_t sx);
// Vertical line at column sx.
void GreateLinesV(Coords& X, Coords& Y, uint8_t sx);
// Every point in the centre.
void GreatePoints(Coords& X, Coords& Y);
// Four-pointed star.
void GreateStars(Coords& X, Coords& Y);

inline constexpr int MaxCorners = 12;

// Polygon corners: entries 0..m-1 the corners, entry m a copy of corner 0.
struct Corners {
    std::array<uint8_t, 24> CornerX{}, CornerY{};
};

// Index of the last outline point the sides of an m-cornered polygon write (m * (64 div m)).
constexpr uint8_t LastPolygonPoint(int m) {
    return static_cast<uint8_t>(m * (64 / m));
}

// Polygon of m corners (1..12) on the ellipse sx x sy, first corner at angle opt - 1.
// Lays the sides into points 0..63 and sets LinesFlag; Made64 completes the figure.
// Points after the last side up to 63 repeat the last point written. Returns false when
// a side was asked to end before it starts (see BrezenLine).
bool GreateCorner(Coords& X, Coords& Y, Corners& c, uint8_t sx, uint8_t sy, int32_t opt, int32_t m,
                  bool& LinesFlag);
// Lays n sides between consecutive corners into points 0..n * (64 div n); sets LinesFlag.
// Returns false when a side was asked to end before it starts.
bool ArrayLines(Coords& X, Coords& Y, const Corners& c, uint8_t n, bool& LinesFlag);
// Constant-step side from (x0, y0) towards (x1, y1) into points start..finish. Returns
// false when start >= finish: then only point start is written, with (x0, y0), and the
// caller shows " Start >= Finish ".
bool BrezenLine(Coords& X, Coords& Y, uint8_t x0, uint8_t y0, uint8_t x1, uint8_t y1, uint8_t start,
                uint8_t finish);
// Clears LinesFlag; points 64..255 from points 0..63 traced back and forth.
void Made64(Coords& X, Coords& Y, bool& LinesFlag);
// When half128 is set, points 128..255 become points 127..0, optionally mirrored
// left-right (mirrGor) and/or top-bottom (mirrVert).
void MadeHalf(Coords& X, Coords& Y, bool half128, bool mirrGor, bool mirrVert);

// Control values the generators read.
struct GenerateInputs {
    uint8_t sx = 200, sy = 200;
    int32_t opt = 120, mode = 5;
    bool half = false;
};

// Runs the generator for makeMode (MakeModes); MakeNone and unknown modes run none.
// Returns false when a polygon side reported start >= finish.
bool RunGenerator(int32_t makeMode, Coords& X, Coords& Y, Corners& c, const GenerateInputs& in,
                  bool& LinesFlag);
// Completion after a generator: the second half when half128 is set, then Made64 when
// LinesFlag is set.
void CompleteFigure(Coords& X, Coords& Y, bool half128, bool mirrGor, bool mirrVert, bool& LinesFlag);

}  // namespace lp
