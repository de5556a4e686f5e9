#include "trace/parts/partpick.h"

#include <QPolygonF>
#include <cmath>

#include "figure/geometry.h"

namespace lp {

namespace {

double OutlineDistance2(const TracePart& part, QPointF at) {
    double best = INFINITY;
    for (const Polyline& loop : part.loops)
        for (size_t i = 0; i < loop.size(); ++i)
            best = std::min(best, SegmentDistance2(at, loop[i].p, loop[(i + 1) % loop.size()].p));
    return best;
}

bool Inside(const TracePart& part, QPointF at) {
    if (part.kind == TracePart::Kind::Strokes || part.loops.empty() || !part.bounds.contains(at))
        return false;
    QPolygonF polygon;
    polygon.reserve(qsizetype(part.loops.front().size()));
    for (const RoutePoint& point : part.loops.front()) polygon << point.p;
    return polygon.containsPoint(at, Qt::OddEvenFill);
}

}  // namespace

int PartAt(const TraceParts& found, const TraceResult& routed, QPointF at, double reach) {
    bool invertible = false;
    const QTransform toParts = routed.partsToField.inverted(&invertible);
    if (!invertible) return -1;
    const QPointF p = toParts.map(at);
    const double scale = std::sqrt(std::abs(routed.partsToField.determinant()));
    const double r = reach / (scale > 0 ? scale : 1), reach2 = r * r;
    int nearest = -1, around = -1;
    double nearest2 = reach2;
    for (size_t i = 0; i < found.parts.size(); ++i) {
        const TracePart& part = found.parts[i];
        if (part.parent >= 0 && size_t(part.parent) < routed.states.size() &&
            routed.states[size_t(part.parent)] != PartState::Drawn)
            continue;
        if (!part.bounds.adjusted(-r, -r, r, r).contains(p)) continue;
        if (const double d2 = OutlineDistance2(part, p); d2 <= nearest2) {
            nearest = int(i);
            nearest2 = d2;
        }
        if (Inside(part, p) && (around < 0 || part.weight < found.parts[size_t(around)].weight))
            around = int(i);
    }
    return nearest >= 0 ? nearest : around;
}

void TogglePart(PartChoice& choice, const TraceResult& routed, int id) {
    if (id < 0 || size_t(id) >= routed.states.size()) return;
    // The user's own choice is turned over; otherwise what is on show.
    if (choice.leftOut.erase(id)) {
        choice.drawn.insert(id);
    } else if (choice.drawn.erase(id) || routed.states[size_t(id)] == PartState::Drawn) {
        choice.leftOut.insert(id);
    } else {
        choice.drawn.insert(id);
    }
}

void KeepOnlyPart(PartChoice& choice, const TraceParts& found, int id) {
    if (id < 0 || size_t(id) >= found.parts.size()) return;
    if (const int parent = found.parts[size_t(id)].parent; parent >= 0) id = parent;
    choice.leftOut.clear();
    choice.drawn.clear();
    for (size_t i = 0; i < found.parts.size(); ++i)
        (int(i) == id || found.parts[i].parent == id ? choice.drawn : choice.leftOut).insert(int(i));
}

}  // namespace lp
