// Where traced loops lie on the field: fitted to a size, centred.
#pragma once

#include <QRectF>
#include <QTransform>
#include <vector>

#include "figure/geometry.h"

namespace lp {

// The smallest rectangle holding the loops' points; empty for none.
QRectF LoopBounds(const std::vector<Polyline>& loops);
// Scales `bounds` uniformly so that its longer side spans `size`, centred on the field's centre.
QTransform FitTransform(const QRectF& bounds, int size);
// Makes the bounding box of the loops span `size` exactly.
void FitLoops(std::vector<Polyline>& loops, int size);

}  // namespace lp
