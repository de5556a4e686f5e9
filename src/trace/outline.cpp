#include "trace/outline.h"

namespace lp {

std::vector<Curve> TraceCurves(const InkMask&, int) {
    return {};
}
bool RunPotraceOnly(const InkMask&, int) {
    return false;
}
Polyline FlattenCurve(const Curve&, const QTransform&, double) {
    return {};
}
void FlattenCubic(QPointF, QPointF, QPointF, QPointF, double, Polyline&) {}
void MarkCorners(Polyline&, double, double) {}

}  // namespace lp
