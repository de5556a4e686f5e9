// potrace over an ink mask: the outlines of the ink as closed curves, and
// their flattening into loops of points with the corners marked.
#pragma once

#include <QPointF>
#include <QTransform>
#include <vector>

#include "figure/geometry.h"
#include "trace/inkmask.h"

namespace lp {

// One piece of a closed curve, from the previous piece's end to `end`: a cubic
// through `c1`, `c2`, or, at a corner, two straight lines through `c1`.
struct CurvePiece {
    bool corner = false;
    QPointF c1, c2, end;
};

struct Curve {
    std::vector<CurvePiece> pieces;
    double area = 0;    // enclosed pixels
    bool hole = false;  // the inner outline of a piece of ink
    int parent = -1;    // the curve it lies directly inside, an index into the same list
};

// The outlines of the ink in mask pixel coordinates, holes included, each
// with the curve it lies in; paths of at most `turdPixels` pixels are left
// out. Empty when potrace fails.
std::vector<Curve> TraceCurves(const InkMask& mask, int turdPixels);

// potrace alone on the mask, for comparing its share of the time.
bool RunPotraceOnly(const InkMask& mask, int turdPixels);

// The curve through `map`, flattened so that no point of it is farther than
// `tolerance` (after the map) from the loop; the corners are marked.
Polyline FlattenCurve(const Curve& curve, const QTransform& map, double tolerance);

// Flattens a cubic from `a` (exclusive) to `d` (inclusive) onto `out`.
void FlattenCubic(QPointF a, QPointF b, QPointF c, QPointF d, double tolerance, Polyline& out);

}  // namespace lp
