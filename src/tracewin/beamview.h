// The trace window's preview: the route on black as bright as the projector
// draws it, the parts not drawn faint in grey. A click on a part reports it,
// so that the window leaves it out or brings it back.
#pragma once

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

    // The part under a point of the widget, -1 for none.
    int partAt(QPointF pos) const;

  signals:
    void partClicked(int id);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    double scale() const;  // pixels per field unit
    void hover(int id);

    std::shared_ptr<const lp::TraceParts> parts_;
    lp::TraceResult routed_;
    bool clickable_ = false;
    int hover_ = -1;
};

}  // namespace lp
