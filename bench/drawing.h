// Pictures the tracing benchmarks draw: black ink on a white 1024 px square,
// antialiased, shapes filled black and outlined by no pen unless `draw` sets one.
#pragma once

#include <QImage>
#include <QPainter>

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
