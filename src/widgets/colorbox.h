// A drop-down list of named colours, each shown with its swatch.
#pragma once

#include <QColor>
#include <QComboBox>

namespace lp {

class ColorBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ColorBox(QWidget* parent = nullptr);
    QColor selected() const;
    int indexOfColor(const QColor& color) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace lp
