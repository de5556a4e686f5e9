#include "trace/route.h"

namespace lp {

std::vector<QPointF> AllocatePoints(const Polyline& route, int count) {
    std::vector<QPointF> points(size_t(count), QPointF(127, 127));
    for (int i = 0; i < count && !route.empty(); ++i)
        points[size_t(i)] = route[size_t(i) * route.size() / count].p;
    return points;
}

}  // namespace lp
