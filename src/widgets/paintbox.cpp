#include "widgets/paintbox.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace lp {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

QImage& PaintBox::image() {
    if (image_.size() != size()) {
        image_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
    }
    return image_;
}

void PaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), image(), event->rect());
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->position().toPoint());
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->position().toPoint());
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->button(), event->position().toPoint());
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked();
    emit pressed(event->button(), event->position().toPoint());
}

}  // namespace lp
