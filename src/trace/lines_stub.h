// Stand-ins for the tracing engine's mask and route types until it is merged.
#pragma once

#include <QPointF>
#include <QTransform>
#include <cstdint>
#include <vector>

namespace lp {

struct InkMask {  // one byte per pixel, 1 = ink, row-major, y down
    int width = 0, height = 0;
    std::vector<uint8_t> ink;
    QTransform toSource;

    bool at(int x, int y) const { return ink[static_cast<size_t>(y) * width + x] != 0; }
    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct RoutePoint {
    QPointF p;
    bool corner = false;
};
using Polyline = std::vector<RoutePoint>;

}  // namespace lp
