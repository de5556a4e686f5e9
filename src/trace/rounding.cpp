#include <algorithm>
#include <cmath>

#include "trace/route.h"

namespace lp {

void RoundToField(const std::vector<QPointF>& points, Coords& X, Coords& Y) {
    for (int i = 0; i < PointCount; ++i) {
        const QPointF p = i < int(points.size()) ? points[size_t(i)] : QPointF(127, 127);
        X[size_t(i)] = uint8_t(std::clamp(std::lround(p.x()), 0L, 255L));
        Y[size_t(i)] = uint8_t(std::clamp(std::lround(p.y()), 0L, 255L));
    }
}

}  // namespace lp
