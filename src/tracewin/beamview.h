// The trace window's preview: the route on black as bright as the projector
// draws it, the parts not drawn faint in grey, the picture faintly beneath on
// request. A click on a part reports it, so that the window leaves it out or
// brings it back (Shift: keeps it alone); a rectangle dragged reports the
// frame to trace in, and a click outside the frame its end.
#pragma once

#include <QImage>
#include <QTransform>
#include <QWidget>
#include <memory>

#include "trace/trace.h"

namespace lp {

class TBeamView : public QWidget {
    Q_OBJECT
  public:
    explicit TBeamView(QWidget* parent = nullptr);

    // The parts found and their route (which may have failed: black then);
    // `clickable` when they answer the window's options.
    void setTrace(std::shared_ptr<const lp::TraceParts> parts, const lp::TraceResult& routed, bool clickable);
    // The picture under the route and its pixels -> field units; shown when `shown`.
    void setPicture(const QImage& picture, const QTransform& toField, bool shown);
    // The frame traced in, in field units (empty: none); `framing`: a
    // rectangle may be dragged.
    void setFrame(const QRectF& onField, bool framing);

    // The part under a point of the widget, -1 for none.
    int partAt(QPointF pos) const;
    // Pixels per field unit.
    double scale() const;

  signals:
    void partClicked(int id, bool alone);
    void partHovered(int id);
    void frameDrawn(const QRectF& onField);
    void frameCleared();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void hover(int id);
    QTransform fieldToPixels() const;
    QRectF dragged() const;  // the rectangle being dragged, in pixels

    std::shared_ptr<const lp::TraceParts> parts_;
    lp::TraceResult routed_;
    bool clickable_ = false;
    int hover_ = -1;
    QImage picture_;
    QTransform pictureToField_;
    bool pictureShown_ = false;
    QRectF frame_;
    bool framing_ = false;
    QPointF pressed_, at_;
    bool pressing_ = false, dragging_ = false;
};

}  // namespace lp
