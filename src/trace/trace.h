// Tracing: a picture or a line of text becomes one closed contour of 256
// points. The trace window and the command line use only these functions.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

#include "figure/figuredata.h"
#include "trace/mask.h"

namespace lp {

struct TraceOptions {
    MaskOptions mask;
    double speckUnits = 1.5;  // paths smaller than a square of this side (field units) are dropped
    enum class Mode { Outline, Lines } mode = Mode::Outline;
};

struct TracePlacement {
    // Fit: the bounding box of what is traced (specks dropped), longer side =
    // size units, centred on 127. InPlace: the whole source picture maps onto
    // `area` (field units, may be stretched non-uniformly).
    bool fit = true;
    int size = 200;
    QRectF area;
    static TracePlacement Fit(int size = 200);
    static TracePlacement InPlace(const QRectF& area);
};

struct TraceResult {
    bool ok = false;
    QString error;  // for the user, e.g. "Нечего обводить" when there is no ink
    Coords X{}, Y{};
    int contours = 0;
    double routeLength = 0, bridgeLength = 0, worstDeviation = 0;  // field units
    bool detailLost = false;  // 256 points cannot hold the route within one unit
};

TraceResult TraceImage(const QImage& picture, const TraceOptions& options, const TracePlacement& placement);
TraceResult TraceText(const QString& text, const QString& family, bool bold, int size,
                      QString* note = nullptr);

}  // namespace lp
