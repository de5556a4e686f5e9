#include "trace/trace.h"

namespace lp {

TracePlacement TracePlacement::Fit(int size) {
    TracePlacement placement;
    placement.size = size;
    return placement;
}

TracePlacement TracePlacement::InPlace(const QRectF& area) {
    TracePlacement placement;
    placement.fit = false;
    placement.area = area;
    return placement;
}

TraceResult TraceImage(const QImage&, const TraceOptions&, const TracePlacement&) {
    TraceResult result;
    result.error = QStringLiteral("Нечего обводить");
    return result;
}

TraceResult TraceText(const QString&, const QString&, bool, int, QString*) {
    TraceResult result;
    result.error = QStringLiteral("Нечего обводить");
    return result;
}

}  // namespace lp
