#include "tracewin/beamview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "trace/partpick.h"
#include "view/beam.h"

namespace lp {

namespace {

// How far from a part's outline a click still takes it, in pixels.
constexpr double kReachPixels = 5;
const QColor kLeftOut{110, 110, 110};
const QColor kHover{255, 255, 255, 150};

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
    hover_ = -1;
    if (underMouse()) hover(partAt(mapFromGlobal(QCursor::pos())));
    update();
}

double TBeamView::scale() const {
    return std::min(width(), height()) / 256.0;
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
    update();
}

void TBeamView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!routed_.ok || !parts_) return;
    const double s = scale();
    // Field unit u is drawn at (u + 0.5) * s.
    const QTransform toPixels =
        routed_.partsToField * QTransform::fromTranslate(0.5, 0.5) * QTransform::fromScale(s, s);
    auto outline = [&](const lp::TracePart& part) {
        QPainterPath path;
        for (const lp::Polyline& loop : part.loops) {
            if (loop.empty()) continue;
            path.moveTo(loop.front().p);
            for (const lp::RoutePoint& point : loop) path.lineTo(point.p);
            path.closeSubpath();
        }
        return toPixels.map(path);
    };
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kLeftOut, 1));
    for (size_t i = 0; i < parts_->parts.size() && i < routed_.states.size(); ++i)
        if (routed_.states[i] != lp::PartState::Drawn) painter.drawPath(outline(parts_->parts[i]));
    lp::DrawBeam(painter, routed_.X, routed_.Y, s);
    if (hover_ >= 0 && size_t(hover_) < parts_->parts.size()) {
        painter.setPen(QPen(kHover, 2));
        painter.drawPath(outline(parts_->parts[size_t(hover_)]));
    }
}

void TBeamView::mouseMoveEvent(QMouseEvent* event) {
    hover(partAt(event->position()));
}

void TBeamView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (const int id = partAt(event->position()); id >= 0) emit partClicked(id);
}

void TBeamView::leaveEvent(QEvent*) {
    hover(-1);
}

}  // namespace lp
