// The plane geometry of paths, in one kit for the tracing, the point
// placement and the ILDA import: distances, turn angles, arc lengths and
// resampling. Lengths are sqrt of the sum of squares (std::hypot is slow).
#pragma once

#include <QPointF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace lp {

struct RoutePoint {
    QPointF p;
    bool corner = false;  // a sharp turn that the point allocation keeps
};
using Polyline = std::vector<RoutePoint>;  // a closed loop: the last point joins the first

// The kit takes paths of plain points and of route points alike.
inline QPointF PointOf(QPointF p) {
    return p;
}
inline QPointF PointOf(const RoutePoint& r) {
    return r.p;
}

// Both coordinates are numbers, neither infinite: the first thing every entry
// point of the geometry checks.
inline bool Finite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

template <class Path>
bool AllFinite(const Path& path) {
    return std::all_of(path.begin(), path.end(), [](const auto& point) { return Finite(PointOf(point)); });
}

inline double Cross(QPointF a, QPointF b) {
    return a.x() * b.y() - a.y() * b.x();
}

inline double Dot(QPointF a, QPointF b) {
    return a.x() * b.x() + a.y() * b.y();
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
    const double length2 = Dot(d, d);
    const double t = length2 > 0 ? std::clamp(Dot(p - a, d) / length2, 0.0, 1.0) : 0;
    return Distance2(p, a + d * t);
}

inline double SegmentDistance(QPointF p, QPointF a, QPointF b) {
    return std::sqrt(SegmentDistance2(p, a, b));
}

// The distance from p to the line through a and b; from a when they are one point.
inline double LineDistance(QPointF p, QPointF a, QPointF b) {
    const double length = Distance(a, b);
    return length < 1e-12 ? Distance(p, a) : std::abs(Cross(b - a, p - a)) / length;
}

// The angle from direction `in` to direction `out`, -π to π (positive from x
// towards y); 0 when either has no length.
inline double TurnAngle(QPointF in, QPointF out) {
    return std::atan2(Cross(in, out), Dot(in, out));
}

// How sharply a path a-b-c turns at b: 0 (straight on) to π (back).
inline double TurnAt(QPointF a, QPointF b, QPointF c) {
    return std::abs(TurnAngle(b - a, c - b));
}

// Arc length along a path at each of its points, the first 0; a closed path
// gets one more, its whole length, where the last segment ends.
template <class Path>
std::vector<double> ArcLengths(const Path& path, bool closed) {
    const size_t n = path.size();
    std::vector<double> arc;
    if (n == 0) return arc;
    arc.reserve(n + 1);
    arc.push_back(0);
    for (size_t i = 1; i < (closed ? n + 1 : n); ++i)
        arc.push_back(arc.back() + Distance(PointOf(path[i - 1]), PointOf(path[i % n])));
    return arc;
}

template <class Path>
double PathLength(const Path& path, bool closed) {
    double length = 0;
    const size_t n = path.size();
    for (size_t i = 1; i < (closed ? n + 1 : n); ++i)
        length += Distance(PointOf(path[i - 1]), PointOf(path[i % n]));
    return length;
}

// The length of the closed path through points (X[i], Y[i]), as a figure's
// coordinates are held.
template <class Xs, class Ys>
double ClosedLength(const Xs& X, const Ys& Y) {
    double length = 0;
    const size_t n = X.size();
    for (size_t i = 0; i < n; ++i)
        length += Distance(QPointF(X[i], Y[i]), QPointF(X[(i + 1) % n], Y[(i + 1) % n]));
    return length;
}

// The point at arc length `s` along an open path with arc lengths `arc`
// (ArcLengths), held to the path's ends. Only for a path of 2 points or more.
QPointF AtArc(const std::vector<QPointF>& path, const std::vector<double>& arc, double s);

// The fewest equal pieces, none longer than `step`, that the segment a-b
// splits into; one for a segment of no length.
inline int Pieces(QPointF a, QPointF b, double step) {
    return std::max(1, int(std::ceil(Distance(a, b) / step)));
}

// Points `step` apart along an open path, measured along it, from its first
// point; its last point ends it, the one before dropped when nearer than half
// a step.
std::vector<QPointF> Resampled(const std::vector<QPointF>& line, double step);

// A closed loop with the arc length at each vertex, unrolled: vertex k (any
// k >= 0) is the loop's vertex k % n, at arc(k), which grows by the loop's
// length each time round. Only for a loop of at least one point.
class LoopArcs {
  public:
    template <class Path>
    explicit LoopArcs(const Path& loop) : points_(loop.size()) {
        for (size_t i = 0; i < loop.size(); ++i) points_[i] = PointOf(loop[i]);
        arc_ = ArcLengths(points_, true);
    }

    size_t size() const { return points_.size(); }
    double length() const { return arc_.back(); }
    // The length is a number above 0: anything else is a point, or beyond any field.
    bool measurable() const { return length() > 0 && std::isfinite(length()); }
    double arc(size_t k) const { return arc_[k % size()] + length() * double(k / size()); }
    QPointF vertex(size_t k) const { return points_[k % size()]; }

    // The first vertex after arc length `s`, counting from vertex `from`.
    size_t after(double s, size_t from) const {
        while (arc(from) <= s) ++from;
        return from;
    }
    // The point at arc length `s`, where vertex `next` is the first after it.
    QPointF at(double s, size_t next) const {
        const double a = arc(next - 1), b = arc(next);
        return b > a ? vertex(next - 1) + (vertex(next) - vertex(next - 1)) * ((s - a) / (b - a))
                     : vertex(next);
    }
    // The point at arc length `s`, any number, taken round the loop. Only
    // for a measurable loop.
    QPointF at(double s) const;

  private:
    std::vector<QPointF> points_;
    std::vector<double> arc_;
};

}  // namespace lp
