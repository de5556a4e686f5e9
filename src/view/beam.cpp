#include "view/beam.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "figure/geometry.h"

namespace lp {

namespace {

double SegmentLength(const Coords& X, const Coords& Y, int i) {
    const int j = (i + 1) % kPointCount;
    return Distance(QPointF(X[i], Y[i]), QPointF(X[j], Y[j]));
}

}  // namespace

int BrightnessPercent(const Coords& X, const Coords& Y) {
    // A route of no length is a point as bright as a unit of route.
    return int(std::lround(100 * kReferenceRoute / std::max(ClosedLength(X, Y), 1.0)));
}

BeamLevels BeamBrightness(const Coords& X, const Coords& Y) {
    constexpr double kLit = kReferenceBeam * kReferenceRoute / kPointCount;
    BeamLevels levels;
    for (int i = 0; i < kPointCount; ++i) {
        const double length = SegmentLength(X, Y, i);
        levels[size_t(i)] = length > 0 ? std::clamp(kLit / length, kDimmestBeam, 1.0) : 1.0;
    }
    return levels;
}

void DrawBeam(QPainter& painter, const Coords& X, const Coords& Y, double scale) {
    const BeamLevels levels = BeamBrightness(X, Y);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    const double width = std::max(1.0, 1.2 * scale);
    auto at = [&](int i) { return QPointF((X[size_t(i)] + 0.5) * scale, (Y[size_t(i)] + 0.5) * scale); };
    for (int i = 0; i < kPointCount; ++i) {
        const QColor colour(0, int(std::lround(255 * levels[size_t(i)])), 0);
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
        const QPointF a = at(i), b = at((i + 1) % kPointCount);
        if (a == b) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(a, width / 2, width / 2);
            painter.setBrush(Qt::NoBrush);
        } else {
            painter.drawLine(a, b);
        }
    }
    painter.restore();
}

}  // namespace lp
