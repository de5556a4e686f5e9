// A drawing surface without a background of its own: it shows a retained image
// over whatever lies beneath it and reports the mouse. A double click of the
// left button is reported as doubleClicked() followed by pressed(), so the
// second press of a double click is handled in the mode the double click set.
#pragma once

#include <QImage>
#include <QWidget>

namespace lp {

class PaintBox : public QWidget {
    Q_OBJECT
  public:
    explicit PaintBox(QWidget* parent = nullptr);

    // The retained image, always the size of the box.
    QImage& image();

  signals:
    void pressed(Qt::MouseButton button, QPoint pos);
    void moved(QPoint pos);
    void released(Qt::MouseButton button, QPoint pos);
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QImage image_;
};

}  // namespace lp
