#include "link/copyanimation.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace lp {

namespace {

const QColor kFolderBack(214, 170, 60);
const QColor kFolderFront(246, 206, 92);
const QColor kFolderEdge(130, 96, 24);

// The back of a folder with its tab (on the outer side).
void DrawFolderBack(QPainter& p, const QRectF& r, bool right) {
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(kFolderBack);
    const qreal tabWidth = r.width() * 0.45;
    p.drawRoundedRect(QRectF(right ? r.right() - tabWidth : r.left(), r.top() - 5, tabWidth, 8), 2, 2);
    p.drawRect(r);
}

// The front flap, leaning a little outwards; a sheet inside is hidden by it.
void DrawFolderFront(QPainter& p, const QRectF& r, bool right) {
    const qreal lean = r.width() * 0.12 * (right ? 1 : -1);
    QPolygonF flap;
    flap << QPointF(r.left(), r.bottom()) << QPointF(r.right(), r.bottom())
         << QPointF(r.right() + lean, r.top() + 9) << QPointF(r.left() + lean, r.top() + 9);
    p.setPen(QPen(kFolderEdge, 1));
    p.setBrush(kFolderFront);
    p.drawPolygon(flap);
}

void DrawSheet(QPainter& p) {
    const QRectF sheet(-8, -10, 16, 20);
    QPainterPath page;
    page.moveTo(sheet.topLeft());
    page.lineTo(sheet.right() - 5, sheet.top());
    page.lineTo(sheet.right(), sheet.top() + 5);
    page.lineTo(sheet.bottomRight());
    page.lineTo(sheet.bottomLeft());
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 110), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setPen(QPen(QColor(120, 140, 200), 1));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(sheet.left() + 3, sheet.top() + 6 + 3.5 * line),
                   QPointF(sheet.right() - 3, sheet.top() + 6 + 3.5 * line));
}

}  // namespace

CopyAnimation::CopyAnimation(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kFrameCount;
        update();
    });
}

void CopyAnimation::play() {
    timer_.start();
}

void CopyAnimation::stop() {
    timer_.stop();
    frame_ = 0;
    update();
}

void CopyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), palette().color(QPalette::Window));
    const qreal w = width(), h = height();
    const QRectF from(w * 0.06, h * 0.42, w * 0.2, h * 0.5);
    const QRectF to(w * 0.74, h * 0.42, w * 0.2, h * 0.5);
    DrawFolderBack(p, from, false);
    DrawFolderBack(p, to, true);

    // The sheet rises out of the left folder, flies over in an arc, turning,
    // and sinks into the right one.
    const qreal t = qreal(frame_) / (kFrameCount - 1);
    const QPointF start(from.center().x(), from.top() + 8), end(to.center().x(), to.top() + 8);
    p.save();
    p.translate(start.x() + (end.x() - start.x()) * t, start.y() - std::sin(t * M_PI) * (start.y() - 10));
    p.rotate(-30 + 60 * t);
    DrawSheet(p);
    p.restore();

    DrawFolderFront(p, from, false);
    DrawFolderFront(p, to, true);
}

}  // namespace lp
