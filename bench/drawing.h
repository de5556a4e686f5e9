// Pictures the tracing benchmarks draw: black ink on a white 1024 px square,
// antialiased, shapes filled black and outlined by no pen unless `draw` sets one;
// and a photograph.
#pragma once

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QRandomGenerator>
#include <utility>
#include <vector>

template <typename Draw>
QImage InkDrawing(Draw draw) {
    QImage image(1024, 1024, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    draw(painter);
    return image;
}

// 16 dark discs on a ground lit from the left, with grain.
inline QImage PhotoPicture() {
    QImage image(1024, 1024, QImage::Format_RGB32);
    QRandomGenerator random(25);
    std::vector<std::pair<QPointF, double>> discs;
    for (int i = 0; i < 16; ++i)
        discs.push_back(
            {QPointF(130 + (i % 4) * 250 + random.bounded(30), 130 + (i / 4) * 250), 50.0 + 3 * i});
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            bool inside = false;
            for (const auto& [c, r] : discs) inside = inside || QLineF(QPointF(x, y), c).length() < r;
            const int level =
                int((120 + x * 110 / 1024) * (inside ? 0.35 : 1.0)) + int(random.bounded(40)) - 20;
            line[x] = qRgb(level, level, level);
        }
    }
    return image;
}
