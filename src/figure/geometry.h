// Small plane geometry shared by the tracing steps (std::hypot is slow).
#pragma once

#include <QPointF>
#include <algorithm>
#include <cmath>

namespace lp {

// Both coordinates are numbers, neither infinite: the first thing every entry
// point of the geometry checks.
inline bool Finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

inline double Distance2(QPointF a, QPointF b) {
    const double dx = a.x() - b.x(), dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

inline double Distance(QPointF a, QPointF b) {
    return std::sqrt(Distance2(a, b));
}

// The squared distance from p to the segment a-b.
inline double SegmentDistance2(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double length2 = d.x() * d.x() + d.y() * d.y();
    const double t = length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0;
    return Distance2(p, a + d * t);
}

inline double SegmentDistance(QPointF p, QPointF a, QPointF b) {
    return std::sqrt(SegmentDistance2(p, a, b));
}

}  // namespace lp
