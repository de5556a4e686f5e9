// The stretches of strokes beside a meeting point (a junction, a corner or a
// free end), fitted by gentle curves, and where such stretches meet.
#pragma once

#include <QPointF>
#include <optional>
#include <vector>

namespace lp {

struct Line {
    QPointF c, d;  // through c, along the unit direction d
};

// A stretch of stroke leaving a meeting point: the parabola v = b0 + b1 u + b2 u²
// in the frame of `axis` (u along d from c, v along d turned a right angle).
struct ArmFit {
    Line axis;  // d points away from the meeting point
    double b0 = 0, b1 = 0, b2 = 0;
    double bent = 0;  // the length next to the meeting point that strays from the curve

    double along(QPointF p) const { return QPointF::dotProduct(p - axis.c, axis.d); }
    QPointF at(double u) const;
    Line tangentAt(double u) const;
};

// The curve of `away`, points leaving a meeting point, fitted between 1 and 4
// stroke widths `w` along it (at least 4 and 24 pixels), within the `share` of
// the run next to the meeting point (half when its other end is bent too) and
// before any corner, and beyond the stretch next to the meeting point that
// strays more than a pixel from it; a line where under 20 pixels are fitted.
// Nothing for a run too short to tell.
std::optional<ArmFit> FitArm(const std::vector<QPointF>& away, double w, double share = 0.5);

// Where the arms meet: the point nearest to their tangents there, held near p0
// where they are nearly parallel. Nothing when it lies farther from p0 than
// thinning displaces the meeting point of strokes `w` wide at the sharpest
// angle between them. For one arm, a free end: p0 moved onto the curve, by
// half a stroke width at most.
std::optional<QPointF> Meet(const std::vector<ArmFit>& arms, QPointF p0, double w);

}  // namespace lp
