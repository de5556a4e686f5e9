#include "trace/route/fit.h"

#include <algorithm>
#include <cmath>

namespace lp {

namespace {

constexpr double kCentre = 127;

}  // namespace

QRectF LoopBounds(const std::vector<Polyline>& loops) {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const Polyline& loop : loops)
        for (const RoutePoint& point : loop) {
            x0 = std::min(x0, point.p.x());
            y0 = std::min(y0, point.p.y());
            x1 = std::max(x1, point.p.x());
            y1 = std::max(y1, point.p.y());
        }
    return x0 <= x1 ? QRectF(QPointF(x0, y0), QPointF(x1, y1)) : QRectF();
}

QTransform FitTransform(const QRectF& bounds, int size) {
    const double side = std::max(bounds.width(), bounds.height());
    const double scale = side > 0 ? size / side : 1;
    return QTransform::fromTranslate(-bounds.center().x(), -bounds.center().y()) *
           QTransform::fromScale(scale, scale) * QTransform::fromTranslate(kCentre, kCentre);
}

void FitLoops(std::vector<Polyline>& loops, int size) {
    const QTransform fit = FitTransform(LoopBounds(loops), size);
    for (Polyline& loop : loops)
        for (RoutePoint& point : loop) point.p = fit.map(point.p);
}

}  // namespace lp
