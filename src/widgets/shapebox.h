// A filled rectangle with a one-pixel outline.
#pragma once

#include <QColor>
#include <QWidget>

namespace lp {

class ShapeBox : public QWidget {
    Q_OBJECT
  public:
    explicit ShapeBox(QWidget* parent = nullptr);
    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    QColor penColor() const { return pen_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor brush_{Qt::black};
    QColor pen_{Qt::white};
};

}  // namespace lp
