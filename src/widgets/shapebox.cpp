#include "widgets/shapebox.h"

#include <QPainter>

namespace lp {

ShapeBox::ShapeBox(QWidget* parent) : QWidget(parent) {}

void ShapeBox::setBrushColor(const QColor& color) {
    brush_ = color;
    update();
}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), brush_);
    painter.setPen(pen_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace lp
