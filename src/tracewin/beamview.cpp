#include "tracewin/beamview.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "trace/parts/partpick.h"
#include "view/beam.h"

namespace lp {

namespace {

// How far from a part's outline a click still takes it, in pixels.
constexpr double kReachPixels = 5;
// How faint the picture lies under the route.
constexpr double kPictureOpacity = 0.3;
const QColor kLeftOut{110, 110, 110};
const QColor kHover{255, 255, 255, 150};
const QColor kFrame{255, 200, 0, 170};

}  // namespace

TBeamView::TBeamView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TBeamView::setTrace(std::shared_ptr<const lp::TraceParts> parts, const lp::TraceResult& routed,
                         bool clickable) {
    parts_ = std::move(parts);
    routed_ = routed;
    clickable_ = clickable && parts_ && routed_.ok;
    hover_ = -2;  // the part under the mouse named again, as it now stands
    hover(underMouse() ? partAt(mapFromGlobal(QCursor::pos())) : -1);
    update();
}

void TBeamView::setPicture(const QImage& picture, const QTransform& toField, bool shown) {
    picture_ = picture;
    pictureToField_ = toField;
    pictureShown_ = shown;
    update();
}

void TBeamView::setFrame(const QRectF& onField, bool framing) {
    frame_ = onField;
    framing_ = framing;
    update();
}

double TBeamView::scale() const {
    return std::min(width(), height()) / 256.0;
}

// Field unit u is drawn at (u + 0.5) * scale.
QTransform TBeamView::fieldToPixels() const {
    const double s = scale();
    return QTransform::fromTranslate(0.5, 0.5) * QTransform::fromScale(s, s);
}

int TBeamView::partAt(QPointF pos) const {
    if (!clickable_) return -1;
    const double s = scale();
    return lp::PartAt(*parts_, routed_, pos / s - QPointF(0.5, 0.5), kReachPixels / s);
}

void TBeamView::hover(int id) {
    if (id == hover_) return;
    hover_ = id;
    if (id >= 0)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    emit partHovered(id);
    update();
}

QRectF TBeamView::dragged() const {
    return QRectF(pressed_, at_).normalized() & QRectF(rect());
}

void TBeamView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QTransform toPixels = fieldToPixels();
    if (pictureShown_ && !picture_.isNull()) {
        painter.save();
        painter.setOpacity(kPictureOpacity);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setTransform(pictureToField_ * toPixels);
        painter.drawImage(QPointF(0, 0), picture_);
        painter.restore();
    }
    painter.setRenderHint(QPainter::Antialiasing);
    if (routed_.ok && parts_) {
        const QTransform partsToPixels = routed_.partsToField * toPixels;
        auto outline = [&](const lp::TracePart& part) {
            QPainterPath path;
            for (const lp::Polyline& loop : part.loops) {
                if (loop.empty()) continue;
                path.moveTo(loop.front().p);
                for (const lp::RoutePoint& point : loop) path.lineTo(point.p);
                path.closeSubpath();
            }
            return partsToPixels.map(path);
        };
        painter.setPen(QPen(kLeftOut, 1));
        for (size_t i = 0; i < parts_->parts.size() && i < routed_.states.size(); ++i)
            if (routed_.states[i] != lp::PartState::Drawn) painter.drawPath(outline(parts_->parts[i]));
        lp::DrawBeam(painter, routed_.X, routed_.Y, scale());
        if (hover_ >= 0 && size_t(hover_) < parts_->parts.size()) {
            painter.setPen(QPen(kHover, 2));
            painter.drawPath(outline(parts_->parts[size_t(hover_)]));
        }
    }
    painter.setBrush(Qt::NoBrush);
    if (!frame_.isEmpty()) {
        painter.setPen(QPen(kFrame, 1, Qt::DashLine));
        painter.drawRect(toPixels.mapRect(frame_));
    }
    if (dragging_) {
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.drawRect(dragged());
    }
}

void TBeamView::mouseMoveEvent(QMouseEvent* event) {
    at_ = event->position();
    if (pressing_ && framing_ && (at_ - pressed_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
        update();
    }
    if (!dragging_) hover(partAt(at_));
}

void TBeamView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = at_ = event->position();
    pressing_ = true;
    dragging_ = false;
}

void TBeamView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressing_) return;
    pressing_ = false;
    if (dragging_) {
        dragging_ = false;
        update();
        const QRectF onField = fieldToPixels().inverted().mapRect(dragged());
        if (!onField.isEmpty()) emit frameDrawn(onField);
        return;
    }
    const QPointF at = event->position();
    if (!frame_.isEmpty() && framing_ && !fieldToPixels().mapRect(frame_).contains(at)) {
        emit frameCleared();
        return;
    }
    if (const int id = partAt(at); id >= 0) emit partClicked(id, event->modifiers() & Qt::ShiftModifier);
}

void TBeamView::leaveEvent(QEvent*) {
    hover(-1);
}

}  // namespace lp
