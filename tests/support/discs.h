// Pictures of discs for the tracing tests, and how far a traced contour lies
// from a circle: discs of field units drawn at 4 px a unit on 1024 x 768.
#pragma once

#include <QImage>
#include <QLineF>
#include <QList>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "trace/trace.h"

struct Disc {
    QPointF c;
    double r;
};

// The distance from p to the 256-point contour.
inline double ToContour(QPointF p, const lp::TraceResult& r) {
    double best = INFINITY;
    for (int i = 0; i < lp::kPointCount; ++i) {
        const QPointF a(r.X[i], r.Y[i]), d = QPointF(r.X[(i + 1) % 256], r.Y[(i + 1) % 256]) - a;
        const double l2 = QPointF::dotProduct(d, d);
        const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0;
        best = std::min(best, QLineF(p, a + d * t).length());
    }
    return best;
}

// The farthest point of a circle (field units) from the contour.
inline double CircleOff(const Disc& d, const lp::TraceResult& r) {
    double worst = 0;
    for (int k = 0; k < 360; ++k)
        worst = std::max(
            worst, ToContour(d.c + d.r * QPointF(std::cos(k * M_PI / 180), std::sin(k * M_PI / 180)), r));
    return worst;
}

inline double MeanStep(const lp::TraceResult& r) {
    double sum = 0;
    for (int i = 0; i < 256; ++i) sum += std::hypot(r.X[i] - r.X[(i + 1) % 256], r.Y[i] - r.Y[(i + 1) % 256]);
    return sum / 256;
}

inline QImage Blank(QColor ground, QImage::Format format = QImage::Format_RGB32) {
    QImage image(1024, 768, format);
    image.fill(ground);
    return image;
}

// Discs of px (1024 x 768, laid on the field at 4 px a unit) drawn with `brush`.
inline QImage Discs(QImage image, const QList<Disc>& discs, QColor brush) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(brush);
    for (const Disc& d : discs) painter.drawEllipse(d.c * 4, d.r * 4, d.r * 4);
    return image;
}
